// Reading windows of another process.
#include <windows.h>

#include <sstream>

#include "driver_text.h"
#include "driver_window_info.h"

namespace ql::driver {

namespace {

GUITHREADINFO thread_info_of(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) info = {};
  return info;
}

}  // namespace

std::string window_text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length)) return {};
  // Wine answers an ANSI window's length in characters but hands WM_GETTEXT's room to it in bytes, and a
  // character of a double-byte code page takes two: room for twice as many keeps the text whole.
  std::wstring text(2 * length + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 1000, &got))
    return {};
  text.resize(got < text.size() ? got : text.size() - 1);
  return to_utf8(text);
}

std::string window_class(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return to_utf8(name);
}

int control_id(HWND window) { return GetDlgCtrlID(window); }

uint32_t process_of(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

RECT window_rect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

RECT client_rect(HWND window) {
  RECT rect = {};
  GetClientRect(window, &rect);
  return rect;
}

RECT client_rect_on_screen(HWND window) {
  RECT rect = client_rect(window);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT rect_in_parent(HWND window) {
  RECT rect = window_rect(window);
  HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

POINT to_screen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

POINT to_client(HWND window, POINT screen) {
  ScreenToClient(window, &screen);
  return screen;
}

POINT center_of(RECT rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
int width_of(const RECT& rect) { return rect.right - rect.left; }
int height_of(const RECT& rect) { return rect.bottom - rect.top; }

bool is_visible(HWND window) { return IsWindowVisible(window) != FALSE; }
bool is_enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

HWND focused_window(HWND window) { return thread_info_of(window).hwndFocus; }

bool in_menu_mode(HWND window) { return (thread_info_of(window).flags & GUI_INMENUMODE) != 0; }

std::string describe_window(HWND window) {
  if (!IsWindow(window)) return "(no window)";
  RECT rect = window_rect(window);
  std::ostringstream line;
  line << window_class(window) << " \"" << window_text(window) << "\"";
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) line << " id " << control_id(window);
  line << " at (" << rect.left << "," << rect.top << ") " << width_of(rect) << "x" << height_of(rect);
  if (!is_visible(window)) line << " hidden";
  if (!is_enabled(window)) line << " disabled";
  return line.str();
}

}  // namespace ql::driver
