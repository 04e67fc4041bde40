// A program under test ends gracefully when it can and is terminated when it cannot.
#include <windows.h>

#include "target_fixture.h"

namespace ql::driver {
namespace {

void start_missing_program(const std::string& folder) {
  Program missing("\"" + harness::program_folder() + "no_such_program.exe\"", folder);
  EXPECT_FALSE(missing.started());
}

TEST(DriverProgram, EndsByClosingQuittingOrTerminatingAndReportsHow) {
  std::string folder = harness::make_temp_folder("driver-end");
  struct Case {
    const char* arguments;
    ProgramEnd::How how;
    uint32_t exit_code;
  };
  for (Case expected :
       {Case{"", ProgramEnd::How::closed, 0}, Case{"--ignore-close", ProgramEnd::How::quit, 0},
        Case{"--hang-on-close", ProgramEnd::How::terminated, 0xDEAD}}) {
    SCOPED_TRACE(expected.arguments);
    Program program(target_command(expected.arguments), folder);
    ASSERT_TRUE(wait_for_window(program, {.text = "Driver target"}));
    ProgramEnd end = program.end(1000);
    EXPECT_EQ(end.how, expected.how) << to_string(end.how);
    EXPECT_EQ(end.exit_code, expected.exit_code);
    EXPECT_FALSE(program.running());
  }

  // A program that ends by itself keeps its exit code.
  Program program(target_command(), folder);
  HWND main = wait_for_window(program, {.text = "Driver target"});
  ASSERT_TRUE(main);
  ASSERT_TRUE(choose_menu_item(main, {"File", "Exit"}));
  ASSERT_TRUE(wait_until([&] { return !program.running(); }, "the program to exit", 3000));
  ProgramEnd end = program.end();
  EXPECT_EQ(end.how, ProgramEnd::How::exited);
  EXPECT_EQ(end.exit_code, 7u);

  EXPECT_NONFATAL_FAILURE(start_missing_program(folder), "could not start");
}

}  // namespace
}  // namespace ql::driver
