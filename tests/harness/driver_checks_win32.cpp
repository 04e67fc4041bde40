// Checks of texts, pixels and menu states that fail with a screenshot.
#include <windows.h>

#include "driver_checks.h"
#include "driver_pixels.h"
#include "driver_window_info.h"

namespace ql::driver {

namespace {

std::string point_text(POINT point) {
  return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

std::string rect_text(RECT rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

}  // namespace

bool expect_window_text(HWND window, const std::string& expected, Where where) {
  std::string shown = window_text(window);
  if (shown == expected) return true;
  fail(describe_window(window) + " shows \"" + shown + "\", expected \"" + expected + "\"", where);
  return false;
}

bool expect_color_at(POINT screen, COLORREF expected, int tolerance, Where where) {
  COLORREF shown = screen_pixel(screen);
  if (shown != CLR_INVALID && colors_close(shown, expected, tolerance)) return true;
  fail("the pixel at " + point_text(screen) + " is " + color_text(shown) + ", expected " +
           color_text(expected) + " within " + std::to_string(tolerance),
       where);
  return false;
}

bool expect_color_in(RECT screen, COLORREF expected, int tolerance, Where where) {
  if (ScreenCapture(screen).contains(expected, tolerance)) return true;
  fail("no pixel in " + rect_text(screen) + " is " + color_text(expected) + " within " +
           std::to_string(tolerance),
       where);
  return false;
}

bool expect_color_not_in(RECT screen, COLORREF unexpected, int tolerance, Where where) {
  int found = ScreenCapture(screen).count(unexpected, tolerance);
  if (found == 0) return true;
  fail(std::to_string(found) + " pixels in " + rect_text(screen) + " are " + color_text(unexpected) +
           " within " + std::to_string(tolerance) + ", expected none",
       where);
  return false;
}

bool expect_menu_item_state(HWND window, const MenuPath& path, bool enabled, bool checked, Where where) {
  std::optional<MenuItem> item = menu_item(window, path, where);
  if (!item) return false;
  if (item->enabled == enabled && item->checked == checked) return true;
  auto state = [](bool on, bool mark) {
    return std::string(on ? "enabled" : "greyed") + (mark ? ", checked" : "");
  };
  fail("menu item " + describe(path) + " is " + state(item->enabled, item->checked) + ", expected " +
           state(enabled, checked),
       where);
  return false;
}

}  // namespace ql::driver
