// The Loquat tests' fixture: the real loquat.exe started in a folder of its own, its lesson window found, and
// the controls of that window looked up by the names a learner sees them by.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "program_runner.h"

namespace ql::loquat_tests {

using namespace ql::driver;

class Loquat : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = harness::make_temp_folder("loquat");
    program_ = std::make_unique<Program>("\"" + harness::program_folder() + "loquat.exe\"", folder_);
    ASSERT_TRUE(program_->started());
    main_ = wait_for_window(*program_, {.text = "Loquat"}, 15000);
    ASSERT_TRUE(main_);
    ASSERT_TRUE(settle(main_));
  }

  void TearDown() override {
    if (program_) program_->end();
  }

  // Every child of the lesson window, hidden ones included, in creation order.
  std::vector<HWND> children() const { return child_windows(main_, true); }

  std::string folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
};

}  // namespace ql::loquat_tests
