// Mouse and keyboard input through SendInput.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "driver_input.h"
#include "driver_text.h"
#include "driver_window_info.h"
#include "driver_windows.h"

namespace ql::driver {

namespace {

// A double click must come within the double-click time; clicks are spaced so they are not taken for one.
constexpr DWORD kBetweenClicksMs = 30;

void send(std::vector<INPUT> inputs) {
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT mouse_input(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT key_input(WORD virtual_key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  switch (virtual_key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_DIVIDE:
      input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default:
      break;
  }
  if (up) input.ki.dwFlags |= KEYEVENTF_KEYUP;
  return input;
}

INPUT unicode_input(wchar_t unit, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

std::vector<WORD> modifier_keys(Modifiers modifiers) {
  std::vector<WORD> keys;
  if (modifiers & kCtrl) keys.push_back(VK_CONTROL);
  if (modifiers & kShift) keys.push_back(VK_SHIFT);
  if (modifiers & kAlt) keys.push_back(VK_MENU);
  return keys;
}

void hold_modifiers(Modifiers modifiers, bool down) {
  std::vector<INPUT> inputs;
  std::vector<WORD> keys = modifier_keys(modifiers);
  if (!down) std::reverse(keys.begin(), keys.end());  // released in the opposite order
  for (WORD key : keys) inputs.push_back(key_input(key, !down));
  send(inputs);
}

DWORD button_flags(MouseButton button, bool up) {
  switch (button) {
    case MouseButton::left:
      return up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    case MouseButton::right:
      return up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
    case MouseButton::middle:
      return up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN;
  }
  return 0;
}

// Settles the program that owns the window, never the desktop's own process nor this one.
void settle_owner(HWND window) {
  if (window && window != GetDesktopWindow() && process_of(window) != GetCurrentProcessId()) settle(window);
}

void settle_at(POINT screen) { settle_owner(WindowFromPoint(screen)); }

void settle_foreground() { settle_owner(GetForegroundWindow()); }

// Whether a click at the point reaches the window: the window under it is the window or one of its children.
bool reaches(HWND window, POINT screen) {
  HWND under = WindowFromPoint(screen);
  return under && (under == window || IsChild(window, under));
}

bool check_clickable(HWND window, POINT screen, Where where) {
  if (!IsWindow(window)) {
    fail("cannot click: the window no longer exists", where);
    return false;
  }
  if (!is_visible(window)) {
    fail("cannot click " + describe_window(window) + ": it is not visible", where);
    return false;
  }
  if (!reaches(window, screen)) {
    fail("cannot click " + describe_window(window) + " at (" + std::to_string(screen.x) + "," +
             std::to_string(screen.y) + "): " + describe_window(WindowFromPoint(screen)) + " is there",
         where);
    return false;
  }
  return true;
}

}  // namespace

void move_mouse(POINT screen) {
  // Absolute coordinates run from 0 to 65535 across the screen; rounding can miss by a pixel, which
  // SetCursorPos then mends, so the button events that follow happen exactly at the point.
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move = mouse_input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  move.mi.dx = static_cast<LONG>((static_cast<int64_t>(screen.x) * 65535 + width / 2) / (width - 1));
  move.mi.dy = static_cast<LONG>((static_cast<int64_t>(screen.y) * 65535 + height / 2) / (height - 1));
  send({move});
  POINT now = {};
  GetCursorPos(&now);
  if (now.x != screen.x || now.y != screen.y) SetCursorPos(screen.x, screen.y);
}

void click_at(POINT screen, MouseButton button, Modifiers modifiers) {
  move_mouse(screen);
  hold_modifiers(modifiers, true);
  send({mouse_input(button_flags(button, false)), mouse_input(button_flags(button, true))});
  hold_modifiers(modifiers, false);
  settle_at(screen);
}

void double_click_at(POINT screen) {
  move_mouse(screen);
  send({mouse_input(MOUSEEVENTF_LEFTDOWN), mouse_input(MOUSEEVENTF_LEFTUP)});
  Sleep(kBetweenClicksMs);
  send({mouse_input(MOUSEEVENTF_LEFTDOWN), mouse_input(MOUSEEVENTF_LEFTUP)});
  settle_at(screen);
}

void drag(POINT from, POINT to, MouseButton button, int steps) {
  move_mouse(from);
  send({mouse_input(button_flags(button, false))});
  settle_at(from);
  if (steps < 1) steps = 1;
  for (int i = 1; i <= steps; ++i) {
    move_mouse({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    Sleep(5);
  }
  send({mouse_input(button_flags(button, true))});
  settle_at(to);
}

bool click(HWND window, MouseButton button, Where where) {
  return click_in(window, center_of(client_rect(window)), button, where);
}

bool click_in(HWND window, POINT client, MouseButton button, Where where) {
  POINT screen = to_screen(window, client);
  if (!check_clickable(window, screen, where)) return false;
  click_at(screen, button);
  return true;
}

bool double_click_in(HWND window, POINT client, Where where) {
  POINT screen = to_screen(window, client);
  if (!check_clickable(window, screen, where)) return false;
  double_click_at(screen);
  return true;
}

bool drag_in(HWND window, POINT from_client, POINT to_client, Where where) {
  POINT from = to_screen(window, from_client);
  if (!check_clickable(window, from, where)) return false;
  drag(from, to_screen(window, to_client));
  return true;
}

bool press_button(HWND dialog, const std::string& text, Where where) {
  HWND button = wait_for_child(dialog, {.class_name = "Button", .text = text}, 2000, where);
  return button && click(button, MouseButton::left, where);
}

void press_key(WORD virtual_key, Modifiers modifiers) {
  hold_modifiers(modifiers, true);
  send({key_input(virtual_key, false), key_input(virtual_key, true)});
  hold_modifiers(modifiers, false);
  settle_foreground();
}

void type_text(const std::string& text) {
  for (wchar_t unit : to_wide(text)) {
    if (unit == L'\n') {
      send({key_input(VK_RETURN, false), key_input(VK_RETURN, true)});
    } else if (unit == L'\t') {
      send({key_input(VK_TAB, false), key_input(VK_TAB, true)});
    } else if (unit != L'\r') {
      send({unicode_input(unit, false), unicode_input(unit, true)});
    }
  }
  settle_foreground();
}

bool bring_to_front(HWND window, int timeout_ms, Where where) {
  HWND top = GetAncestor(window, GA_ROOT);
  if (GetForegroundWindow() == top) return true;
  SetForegroundWindow(top);
  return wait_until([&] { return GetForegroundWindow() == top; },
                    describe_window(top) + " to come to the front", timeout_ms, where);
}

}  // namespace ql::driver
