// Finding a program's windows and children and reading them; waits that run out fail within their time.
#include <windows.h>

#include "target_fixture.h"

namespace ql::driver {
namespace {

using DriverWindows = DriverTarget;

TEST_F(DriverWindows, FindsWindowsAndChildrenByEveryKindOfQuery) {
  EXPECT_EQ(find_window(*program_, {.text = "Driver target"}), main_);
  EXPECT_EQ(find_window(*program_, {.class_name = "drivertargetwindow"}), main_);
  EXPECT_EQ(find_window(*program_, {.text = "Some other title"}), nullptr);

  HWND press = find_child(main_, {.class_name = "Button", .text = "Press me"});  // shown as "&Press me"
  ASSERT_TRUE(press);
  EXPECT_EQ(window_text(press), "&Press me");
  EXPECT_EQ(control_id(press), 1);
  // Children enumerate in creation order: the second button created is the second match.
  EXPECT_EQ(find_child(main_, {.class_name = "Button", .index = 0}), press);
  EXPECT_EQ(window_text(find_child(main_, {.class_name = "Button", .index = 1})), "Second");
  EXPECT_EQ(find_child(main_, {.class_name = "Button", .index = 2}), nullptr);
  EXPECT_EQ(find_child(main_, {.text_contains = "ead"}), child(4));
  EXPECT_EQ(window_class(child(2)), "Edit");

  HWND pane = find_child(main_, {.at = POINT{350, 100}});
  ASSERT_TRUE(pane);
  EXPECT_EQ(window_class(pane), "DriverTargetPane");
  EXPECT_EQ(control_id(pane), 3);
  EXPECT_EQ(find_child(main_, {.class_name = "Static", .at = POINT{350, 100}}), nullptr);
}

TEST_F(DriverWindows, ReadsRectanglesStatesAndTexts) {
  HWND pane = child(3);
  ASSERT_TRUE(pane);
  RECT in_parent = rect_in_parent(pane);
  EXPECT_EQ(in_parent.left, 300);
  EXPECT_EQ(in_parent.top, 20);
  EXPECT_EQ(width_of(in_parent), 200);
  EXPECT_EQ(height_of(in_parent), 150);
  RECT client = client_rect(pane);
  EXPECT_EQ(client.left, 0);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 150);
  // The pane's screen rectangle is its place in the parent moved by where the parent's client area is.
  RECT on_screen = window_rect(pane);
  POINT origin = to_screen(main_, {0, 0});
  EXPECT_EQ(on_screen.left, origin.x + 300);
  EXPECT_EQ(on_screen.top, origin.y + 20);
  RECT main_client = client_rect_on_screen(main_);
  EXPECT_EQ(main_client.left, origin.x);
  EXPECT_EQ(to_client(main_, {origin.x + 5, origin.y + 7}).y, 7);
  // The window as created: 660x440 at (60,60), its client area inside its frame.
  RECT main_rect = window_rect(main_);
  EXPECT_EQ(main_rect.left, 60);
  EXPECT_EQ(width_of(main_rect), 660);
  EXPECT_GT(main_client.top, main_rect.top);
  EXPECT_LT(main_client.bottom, main_rect.bottom);

  EXPECT_TRUE(is_visible(pane));
  EXPECT_TRUE(is_enabled(pane));
  EXPECT_EQ(window_text(main_), "Driver target");
  EXPECT_EQ(window_text(child(4)), "Ready");
  EXPECT_TRUE(expect_window_text(child(4), "Ready"));
  EXPECT_EQ(describe_window(child(1)).substr(0, 21), "Button \"&Press me\" id");
}

TEST_F(DriverWindows, AWaitThatRunsOutFailsWithinItsTimeout) {
  DWORD start = GetTickCount();
  HWND found = reinterpret_cast<HWND>(1);
  EXPECT_NONFATAL_FAILURE(found = wait_for_window(*program_, {.text = "No such window"}, 300),
                          "timed out after 300 ms waiting for a window {text \"No such window\"}");
  DWORD waited = GetTickCount() - start;
  EXPECT_EQ(found, nullptr);
  EXPECT_GE(waited, 300u);

  // The failure lists the windows there were, so the message says what was found instead.
  EXPECT_NONFATAL_FAILURE(wait_for_child(main_, {.class_name = "ListBox"}, 100),
                          "DriverTargetPane \"\" id 3");
  bool done = true;
  EXPECT_NONFATAL_FAILURE(done = wait_until([] { return false; }, "nothing", 50),
                          "timed out after 50 ms waiting for nothing");
  EXPECT_FALSE(done);
}

}  // namespace
}  // namespace ql::driver
