// Windows, controls and menus built from an image, driven through real menus, clicks and keys: dispatch
// order, menu item arrays and invisible items, control arrays and clones, lock-based resizing, the erase
// colour, IsCMMClick, CancelClose, the Quit shortcut and an idle loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"
#include "program_runner.h"

namespace ql::driver {
namespace {

using harness::make_temp_folder;
using harness::program_folder;
using harness::read_file;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\r', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

class WindowsImage : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = make_temp_folder("windows");
    program_ = std::make_unique<Program>("\"" + program_folder() + "image_windows.exe\"", folder_);
    main_ = wait_for_window(*program_, {.text = "Windows test"});
    ASSERT_TRUE(main_);
  }

  // The trace lines written since the last call.
  std::vector<std::string> new_trace() {
    settle(main_);
    std::vector<std::string> all = lines_of(read_file(folder_ + "trace.log"));
    std::vector<std::string> fresh(all.begin() + static_cast<ptrdiff_t>(std::min(seen_, all.size())),
                                   all.end());
    seen_ = all.size();
    return fresh;
  }

  // The labels of a menu as it shows when opened: the platform menu follows the items at each enabling.
  std::vector<std::string> labels(const MenuPath& menu) {
    look_into_menu(main_, menu[0]);
    std::vector<std::string> out;
    std::optional<MenuItem> item = find_menu_item(main_, menu);
    if (!item || !item->submenu) return out;
    for (const MenuItem& entry : menu_items(main_, item->submenu))
      out.push_back(entry.separator ? "-" : entry.label);
    return out;
  }

  std::string folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
  size_t seen_ = 0;
};

TEST_F(WindowsImage, StartsWithPositionsStoredBeforeBuildingAndClonesMadeInOpen) {
  // The application opens in RuntimeInit, before the entry routine goes on; the window reports its size
  // once built.
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"app Open", "unbuilt width 345", "open width 400",
                                                   "clone index 1", "clone index 2", "clone index 3",
                                                   "stretch 10", "stretch 100", "mover 300", "mover 50"}));
  // The window opened at the size its description stored before it was built.
  RECT client = client_rect(main_);
  EXPECT_EQ(width_of(client), 400);
  EXPECT_EQ(height_of(client), 300);
}

TEST_F(WindowsImage, MenuCommandsGoToTheWindowTheApplicationThenTheItem) {
  new_trace();
  ASSERT_TRUE(choose_menu_item(main_, {"Dispatch", "Order"}));
  EXPECT_EQ(new_trace(),
            (std::vector<std::string>{"window Order, not handled", "app Order, not handled", "item Action"}));
  // A handler in the window's superclass is not looked at.
  ASSERT_TRUE(choose_menu_item(main_, {"Dispatch", "Super"}));
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"app Super"}));
}

TEST_F(WindowsImage, MenuItemArraysAndInvisibleItems) {
  // Each clone went right after the member found, so the newest is first among them.
  EXPECT_EQ(labels({"Items"}),
            (std::vector<std::string>{"Member", "Member 3", "Member 2", "Member 1", "Second", "Third", "-",
                                      "Hide second", "Close member"}));
  ASSERT_TRUE(choose_menu_item(main_, {"Items", "Hide second"}));
  EXPECT_EQ(labels({"Items"}), (std::vector<std::string>{"Member", "Member 3", "Member 2", "Member 1",
                                                         "Third", "-", "Hide second", "Close member"}));
  new_trace();
  ASSERT_TRUE(choose_menu_item(main_, {"Items", "Close member"}));
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"reused index 0"}));
  EXPECT_EQ(labels({"Items"}).size(), 8u);
}

TEST_F(WindowsImage, ControlArraysGrowIntoTheirGapsAndSingleControlsCloneUnderAStar) {
  new_trace();
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Clones"}));
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"box clone 2", "Box$2 registered", "bare Box nil",
                                                   "Box$4 registered", "Solo*0 registered"}));
}

TEST_F(WindowsImage, LockedControlsFollowTheRightEdgeWhenTheWindowGrows) {
  new_trace();
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Grow"}));
  ASSERT_TRUE(wait_until([&] { return width_of(client_rect(main_)) == 500; }, "the window grows to 500"));
  std::vector<std::string> trace = new_trace();
  // LockLeft and LockRight stretch; LockRight alone moves.
  ASSERT_GE(trace.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(trace.end() - 4, trace.end()),
            (std::vector<std::string>{"stretch 10", "stretch 200", "mover 400", "mover 50"}));
}

TEST_F(WindowsImage, WithoutHasBackColorTheWindowErasesInTheButtonFaceColour) {
  POINT inside = to_screen(main_, {200, 120});
  EXPECT_TRUE(colors_close(screen_pixel(inside), GetSysColor(COLOR_BTNFACE), 8))
      << std::hex << screen_pixel(inside) << " against " << GetSysColor(COLOR_BTNFACE);
}

TEST_F(WindowsImage, IsCMMClickIsTrueOnlyDuringARightMouseDown) {
  new_trace();
  ASSERT_TRUE(click_in(main_, {200, 120}, MouseButton::right));
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Cmm"}));
  ASSERT_TRUE(click_in(main_, {210, 130}));
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"mouse down: cmm", "x 200", "y 120", "after: no cmm",
                                                   "mouse down: no cmm", "x 210", "y 130"}));
}

TEST_F(WindowsImage, CancelCloseKeepsAWindowOpenWithoutClose) {
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Open other"}));
  HWND other = wait_for_window(*program_, {.text = "Other window"});
  ASSERT_TRUE(other);
  new_trace();
  PostMessageA(other, WM_CLOSE, 0, 0);
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"cancel close: keep"}));
  EXPECT_TRUE(is_visible(other));
  PostMessageA(other, WM_CLOSE, 0, 0);
  EXPECT_TRUE(wait_for_window_gone(other));
  EXPECT_EQ(new_trace(), (std::vector<std::string>{"cancel close: let go", "other Close"}));
}

TEST_F(WindowsImage, TheQuitShortcutEndsTheApplicationAfterClosingItsWindows) {
  new_trace();
  ASSERT_TRUE(bring_to_front(main_));
  press_key('Q', kCtrl);
  EXPECT_TRUE(wait_for_window_gone(main_));
  // The process ends a moment after its last window: end() would otherwise find it still running.
  ASSERT_TRUE(wait_until([&] { return !program_->running(); }, "the application to exit"));
  ProgramEnd end = program_->end();
  EXPECT_EQ(end.how, ProgramEnd::How::exited);
  EXPECT_EQ(end.exit_code, 0u);
  EXPECT_EQ(lines_of(read_file(folder_ + "trace.log")).back(), "main Close");
}

TEST_F(WindowsImage, AnIdleEventLoopUsesNoProcessorTime) {
  settle(main_);
  Sleep(200);
  double before = program_->cpu_time_ms();
  Sleep(1000);
  double used = program_->cpu_time_ms() - before;
  EXPECT_LT(used, 50.0) << "an idle program waits for messages";
}

}  // namespace
}  // namespace ql::driver
