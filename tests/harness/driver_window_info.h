// What the driver reads of any window, of this process or another: text (WM_GETTEXT, which the system
// carries between processes), class, control id, rectangles in screen and client coordinates, visibility,
// enabled state, and which window has the keyboard focus.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>

namespace ql::driver {

std::string window_text(HWND window);  // UTF-8; "" when the window does not answer within a second
std::string window_class(HWND window);
int control_id(HWND window);
uint32_t process_of(HWND window);

RECT window_rect(HWND window);            // screen coordinates
RECT client_rect(HWND window);            // client coordinates: (0, 0, width, height)
RECT client_rect_on_screen(HWND window);  // the client area in screen coordinates
RECT rect_in_parent(HWND window);         // the window's rectangle in its parent's client coordinates
POINT to_screen(HWND window, POINT client);
POINT to_client(HWND window, POINT screen);
POINT center_of(RECT rect);
int width_of(const RECT& rect);
int height_of(const RECT& rect);

bool is_visible(HWND window);  // the window and all its ancestors are visible
bool is_enabled(HWND window);

// The window with the keyboard focus in the thread that owns `window`, nullptr when none.
HWND focused_window(HWND window);
// Whether that thread is in a menu (the menu bar selected or a popup menu open).
bool in_menu_mode(HWND window);

// One line for failure messages: class, text, id and rectangle.
std::string describe_window(HWND window);

}  // namespace ql::driver
