// The application's MouseCursor reaches the window procedure: while one is set, a window shows it over its
// content; without one the arrow comes back.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/application.h"
#include "objects/objects.h"
#include "quillet/menus.h"
#include "support/ui_test_window.h"
#include "ui/ui_steps.h"

namespace ql::testing {
namespace {

HCURSOR cursor_after_set_cursor(HWND hwnd) {
  SetCursor(nullptr);
  SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

TEST(ApplicationCursor, WindowsShowTheApplicationsMouseCursorOverTheirContent) {
  TestWindow window({}, 100, 100, 200, 150);
  ASSERT_TRUE(window.built());
  if (!application_object()) create_application_object(nullptr);
  QlObject* application = application_object();
  HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(cross, arrow);

  EXPECT_EQ(cursor_after_set_cursor(window.hwnd()), arrow);
  QlObject* cursor = new_mouse_cursor(cross);
  appMouseCursorSetter(application, 0, cursor);
  release_object(cursor);
  EXPECT_EQ(cursor_after_set_cursor(window.hwnd()), cross);
  appMouseCursorSetter(application, 0, nullptr);
  EXPECT_EQ(cursor_after_set_cursor(window.hwnd()), arrow);
}

}  // namespace
}  // namespace ql::testing
