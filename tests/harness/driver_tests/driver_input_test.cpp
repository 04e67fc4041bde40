// Real input through SendInput arrives as a person's would: clicks with their client coordinates, double
// clicks, drags, keys with modifiers, typed text, accelerators.
#include <windows.h>

#include "target_fixture.h"

namespace ql::driver {
namespace {

using DriverInput = DriverTarget;

TEST_F(DriverInput, ClicksAndTypingReachTheControls) {
  HWND press = child(1);
  HWND edit = child(2);
  ASSERT_TRUE(press && edit);
  ASSERT_TRUE(click(press));
  EXPECT_EQ(new_log(), (Lines{"button 1"}));
  EXPECT_EQ(window_text(child(4)), "Pressed 1");

  ASSERT_TRUE(click(edit));
  EXPECT_EQ(focused_window(main_), edit);
  type_text("Hello, driver: 42 & more");
  EXPECT_EQ(window_text(edit), "Hello, driver: 42 & more");
  press_key(VK_HOME);
  press_key(VK_DELETE);
  press_key(VK_END, kShift);  // selects to the end, which typing then replaces
  type_text("J");
  EXPECT_EQ(window_text(edit), "J");
  EXPECT_TRUE(new_log().empty());
}

TEST_F(DriverInput, MouseButtonsAndKeysArriveWithTheirCoordinatesAndModifiers) {
  HWND pane = child(3);
  ASSERT_TRUE(pane);
  ASSERT_TRUE(click_in(pane, {57, 33}));
  ASSERT_TRUE(click_in(pane, {10, 140}, MouseButton::right));
  ASSERT_TRUE(double_click_in(pane, {100, 100}));
  ASSERT_TRUE(drag_in(pane, {20, 20}, {150, 110}));
  EXPECT_EQ(new_log(), (Lines{"pane down left 57,33", "pane up left 57,33", "pane down right 10,140",
                              "pane up right 10,140", "pane down left 100,100", "pane up left 100,100",
                              "pane double left 100,100", "pane up left 100,100", "pane down left 20,20",
                              "pane up left 150,110"}));

  // The pane took the focus when clicked, so keys go to it.
  press_key('K', kCtrl | kShift);
  press_key(VK_F5);
  type_text("a");
  // Ctrl+K also makes its control character (11), as from a keyboard.
  EXPECT_EQ(new_log(), (Lines{"pane key 0x4B ctrl shift", "pane char 11", "pane key 0x74", "pane char 97"}));

  // Ctrl+O is the window's accelerator for File > Open, which takes the key before the pane sees it.
  press_key('O', kCtrl);
  EXPECT_EQ(new_log(), (Lines{"command 101 accelerator"}));
}

TEST_F(DriverInput, AClickOnAHiddenOrCoveredWindowFailsWithoutClicking) {
  HWND pane = child(3);
  ASSERT_TRUE(pane);
  // A point outside the pane's client area is covered by whatever is there instead.
  EXPECT_NONFATAL_FAILURE(click_in(pane, {-150, 20}), "Button \"Second\" id 5");
  ShowWindow(pane, SW_HIDE);  // works across processes; it changes what is shown, as the program itself might
  settle(main_);
  EXPECT_NONFATAL_FAILURE(click(pane), "it is not visible");
  EXPECT_TRUE(new_log().empty());
}

}  // namespace
}  // namespace ql::driver
