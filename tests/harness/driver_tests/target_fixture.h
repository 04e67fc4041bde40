// The driver's tests' fixture: driver_target started in a folder of its own, its main window found, and the
// log of what it received read back line by line.
#pragma once

#include <windows.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "program_runner.h"

namespace ql::driver {

inline std::string target_command(const std::string& arguments = {}) {
  return "\"" + harness::program_folder() + "driver_target.exe\"" +
         (arguments.empty() ? "" : " " + arguments);
}

class DriverTarget : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = harness::make_temp_folder("driver");
    program_ = std::make_unique<Program>(target_command(), folder_);
    ASSERT_TRUE(program_->started());
    main_ = wait_for_window(*program_, {.class_name = "DriverTargetWindow", .text = "Driver target"});
    ASSERT_TRUE(main_);
    ASSERT_TRUE(settle(main_));
  }

  void TearDown() override {
    if (program_) program_->end();
  }

  // Every line the program wrote so far.
  std::vector<std::string> log() const {
    std::istringstream text(harness::read_file(folder_ + "driver_target.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  // The lines written since the previous call.
  std::vector<std::string> new_log() {
    std::vector<std::string> lines = log();
    std::vector<std::string> fresh(lines.begin() + static_cast<long>(std::min(seen_, lines.size())),
                                   lines.end());
    seen_ = lines.size();
    return fresh;
  }

  HWND child(int id) { return wait_for_child(main_, {.control_id = id}, 2000); }

  std::string folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;

 private:
  size_t seen_ = 0;
};

using Lines = std::vector<std::string>;

}  // namespace ql::driver
