// Windows closed by their own handlers, driven as a person would: a click, a key, an activation, a resize
// the event loop applies and the mouse entering a control each close the window they reach, and the
// program goes on; a timer placed on a window ticks; both copies of a single control cloned twice live as
// long as their window. The heap-checked run of these tests shows any freed pane or control touched.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"
#include "program_runner.h"

namespace ql::driver {
namespace {

using harness::make_temp_folder;
using harness::program_folder;
using harness::read_file;

class ClosingImage : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = make_temp_folder("closing");
    program_ = std::make_unique<Program>("\"" + program_folder() + "image_closing.exe\"", folder_);
    main_ = wait_for_window(*program_, {.text = "Closing test"});
    ASSERT_TRUE(main_);
  }

  bool traced(const std::string& line) {
    return wait_until(
        [&] {
          std::string trace = read_file(folder_ + "trace.log");
          return trace.find(line + "\r") != std::string::npos;
        },
        "the trace line \"" + line + "\"");
  }

  // Opens a closer from the File menu and answers its window, once it shows (an Activate closer never may).
  HWND open(const std::string& item, const std::string& title) {
    EXPECT_TRUE(choose_menu_item(main_, {"File", item}));
    return wait_for_window(*program_, {.text = title}, 3000);
  }

  std::string folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
};

TEST_F(ClosingImage, HandlersCloseTheirOwnWindowsAndTheProgramGoesOn) {
  HWND mouse = open("Mouse closer", "Mouse closer");
  ASSERT_TRUE(mouse);
  ASSERT_TRUE(click(mouse));
  EXPECT_TRUE(wait_for_window_gone(mouse));
  EXPECT_TRUE(traced("Mouse closer closed"));

  HWND key = open("Key closer", "Key closer");
  ASSERT_TRUE(key && bring_to_front(key));
  press_key('K');
  EXPECT_TRUE(wait_for_window_gone(key));
  EXPECT_TRUE(traced("Key closer closed"));

  ASSERT_TRUE(choose_menu_item(main_, {"File", "Activate closer"}));
  EXPECT_TRUE(traced("Activate closer closed"));
  EXPECT_FALSE(find_window(*program_, {.text = "Activate closer"}));

  ASSERT_TRUE(choose_menu_item(main_, {"File", "Resize closer"}));
  EXPECT_TRUE(traced("Resize closer closed"));

  HWND enter = open("Enter closer", "Enter closer");
  ASSERT_TRUE(enter);
  move_mouse(center_of(client_rect_on_screen(enter)));
  EXPECT_TRUE(wait_for_window_gone(enter));
  EXPECT_TRUE(traced("Enter closer closed"));

  // Still answering: the main window's menu works and its timer ran.
  EXPECT_TRUE(traced("the window's timer ticked three times"));
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Clone twice"}));
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Quit"}));
  EXPECT_TRUE(wait_until([&] { return !program_->running(); }, "the program to end"));
  ProgramEnd end = program_->end();
  EXPECT_EQ(end.how, ProgramEnd::How::exited);
  EXPECT_EQ(end.exit_code, 0u);
  EXPECT_TRUE(end.boxes.empty()) << end.boxes.front().text;

  // The window closing told every control it held, both copies of Solo among them.
  std::string trace = read_file(folder_ + "trace.log");
  for (const char* line :
       {"Solo closed at 10\r", "Solo closed at 100\r", "Solo closed at 200\r", "main closed\r"})
    EXPECT_NE(trace.find(line), std::string::npos) << line << "\nin:\n" << trace;
}

}  // namespace
}  // namespace ql::driver
