// Checks a test makes through the driver; each failing one saves a screenshot (see driver_failures.h) and is
// reported at the test's line. Each returns whether it passed.
#pragma once

#include <windows.h>

#include <string>

#include "driver_failures.h"
#include "driver_menus.h"

namespace ql::driver {

bool expect_window_text(HWND window, const std::string& expected, Where where = Where::current());
// The pixel at a screen point is close to `expected` (each channel within tolerance).
bool expect_color_at(POINT screen, COLORREF expected, int tolerance = 8, Where where = Where::current());
// The colour shows somewhere in a screen rectangle.
bool expect_color_in(RECT screen, COLORREF expected, int tolerance = 8, Where where = Where::current());
// The colour shows nowhere in a screen rectangle.
bool expect_color_not_in(RECT screen, COLORREF unexpected, int tolerance = 8, Where where = Where::current());
bool expect_menu_item_state(HWND window, const MenuPath& path, bool enabled, bool checked,
                            Where where = Where::current());

}  // namespace ql::driver
