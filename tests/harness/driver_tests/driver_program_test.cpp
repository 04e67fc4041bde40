// A program under test ends gracefully when it can and is terminated when it cannot; an idle one uses no CPU.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>

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

using DriverIdle = DriverTarget;

TEST_F(DriverIdle, AnIdleProgramUsesNoCpuAndKeepsItsResources) {
  GuiResources before = program_->gui_resources();
  double start = program_->cpu_time_ms();
  Sleep(1000);
  double used = program_->cpu_time_ms() - start;
  std::printf("driver_target idle for 1 s: %.1f ms of CPU\n", used);
  EXPECT_LT(used, 50.0);

  for (int i = 0; i < 5; ++i) ASSERT_TRUE(choose_menu_item(main_, {"View", "Blue pane"}));
  GuiResources after = program_->gui_resources();
  if (before.available) {
    std::printf("GDI objects %u -> %u, USER objects %u -> %u\n", before.gdi_objects, after.gdi_objects,
                before.user_objects, after.user_objects);
    EXPECT_LE(after.gdi_objects, before.gdi_objects + 2);
    EXPECT_LE(after.user_objects, before.user_objects + 2);
  } else {
    std::printf("GUI resource counts are not kept here (GetGuiResources answers 0)\n");
  }
}

// The baseline of window benchmarks: N children made, the time to the first paint reported, then an exit.
TEST(DriverTargetBaseline, ReportsTheTimeToItsFirstPaintForEachKindOfChild) {
  std::string folder = harness::make_temp_folder("driver-baseline");
  for (const char* kind : {"pane", "static", "button"}) {
    SCOPED_TRACE(kind);
    std::string report = folder + kind + ".txt";
    harness::RunResult run = harness::run_program(
        target_command("--children 60 --kind " + std::string(kind) + " --report \"" + report + "\""), folder,
        10000);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_code, 0u);
    EXPECT_TRUE(run.boxes.empty());
    std::map<std::string, std::string> values;
    std::istringstream lines(harness::read_file(report));
    for (std::string key, value; lines >> key >> value;) values[key] = value;
    EXPECT_EQ(values["children"], "60");
    EXPECT_EQ(values["kind"], kind);
    double first = std::atof(values["first_paint_ms"].c_str());
    double all = std::atof(values["all_painted_ms"].c_str());
    EXPECT_GT(first, 0);
    EXPECT_GE(all, first);
    std::printf("%s: first paint %.1f ms, all 60 painted %.1f ms after start\n", kind, first, all);
  }

  // Without a report it stays, its children in the documented grid.
  Program program(target_command("--children 60"), folder);
  HWND main = wait_for_window(program, {.text = "Driver target"});
  ASSERT_TRUE(main);
  EXPECT_EQ(child_windows(main, true).size(), 60u);
  HWND last = find_child(main, {.class_name = "DriverTargetPane", .index = 59});
  ASSERT_TRUE(last);
  RECT place = rect_in_parent(last);
  EXPECT_EQ(place.left, 10 + 9 * 62);
  EXPECT_EQ(place.top, 10 + 5 * 40);
  EXPECT_EQ(width_of(place), 56);
  EXPECT_EQ(height_of(place), 32);
  EXPECT_EQ(find_child(main, {.at = POINT{10 + 62 + 5, 10 + 40 + 5}}), find_child(main, {.index = 11}));
}

}  // namespace
}  // namespace ql::driver
