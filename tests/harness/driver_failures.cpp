// Failing a driver check: screenshot first, then the GoogleTest failure that says where it is.
#include <gtest/gtest.h>

#include <map>

#include "driver_failures.h"
#include "driver_screenshots.h"

namespace ql::driver {

namespace {

std::string& last_screenshot() {
  static std::string path;
  return path;
}

std::string screenshot_name() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "driver";
  static std::map<std::string, int> taken;
  return name + "-" + std::to_string(++taken[name]);
}

}  // namespace

void fail(const std::string& message, Where where) {
  std::string path = save_screenshot(screenshot_name());
  last_screenshot() = path;
  ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
      << message << "\nscreenshot: " << (path.empty() ? "(could not be saved)" : host_path(path));
}

std::string last_failure_screenshot() { return last_screenshot(); }

}  // namespace ql::driver
