// The event loop's part among windows: taking messages, key shortcuts, deferred geometry, idle calls,
// pointer polling and closing every window at the end.
#include <algorithm>
#include <vector>

#include "ui/events/app_hooks.h"
#include "ui/events/event_messages.h"
#include "ui/events/platform_menus.h"
#include "ui/panes/pane_state.h"
#include "ui/system/object_dump_request.h"
#include "ui/ui_steps.h"
#include "ui/window/window_pane.h"

namespace ql {

namespace {

std::vector<Pane*>& idle_list() {
  static std::vector<Pane*> panes;
  return panes;
}

// A message for a window of the runtime: a top-level window of the runtime or a child of one.
bool runtime_window(HWND hwnd) {
  for (HWND h = hwnd; h; h = GetParent(h)) {
    if (pane_from_hwnd(h)) return true;
  }
  return false;
}

// The key handling before dispatch: a key press that matches a menu shortcut runs its command.
bool offer_to_shortcuts(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (!app_hooks().shortcut_command || !runtime_window(msg.hwnd)) return false;
  int32_t vk = static_cast<int32_t>(msg.wParam);
  if (vk == VK_CONTROL || vk == VK_SHIFT || vk == VK_MENU) return false;
  int32_t command = app_hooks().shortcut_command(pressed_shortcut_text(vk));
  if (command == 0) return false;
  if (app_hooks().menu_command) app_hooks().menu_command(command);
  return true;
}

// The runtime window under a screen point: the child under it walked up to its top-level window (or MDI
// child).
WindowPane* top_level_window_at(POINT screen) {
  for (HWND hwnd = WindowFromPoint(screen); hwnd; hwnd = GetParent(hwnd)) {
    char name[32];
    if (!GetClassNameA(hwnd, name, sizeof name)) return nullptr;
    if (lstrcmpiA(name, "QLWindow") == 0 || lstrcmpiA(name, "QL_MDICHILD") == 0)
      return static_cast<WindowPane*>(pane_from_hwnd(hwnd));
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
  }
  return nullptr;
}

}  // namespace

void apply_window_geometry() {
  std::vector<WindowPane*> windows;
  for (WindowPane* w = first_window(); w; w = w->next_window) windows.push_back(w);
  for (WindowPane* w : windows) w->apply_geometry();
}

bool take_message(int32_t wait_ms, bool& quit) {
  MSG msg;
  if (wait_ms < 0) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = true;
      return false;
    }
  } else if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (wait_ms == 0) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(wait_ms), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  }
  // Only a WM_QUIT the loop waited for ends it; one taken by peeking (while a timer runs, the mouse is
  // captured or a periodic task exists) is dispatched like any other message, which does nothing.
  if (msg.message == WM_QUIT && wait_ms < 0) {
    quit = true;
    return true;
  }
  if (take_object_dump_request(msg)) return true;
  if (offer_to_shortcuts(msg)) return true;
  if (mdi_client() && TranslateMDISysAccel(mdi_client(), &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void add_idle_pane(Pane* pane) {
  if (std::find(idle_list().begin(), idle_list().end(), pane) == idle_list().end())
    idle_list().push_back(pane);
}

void remove_idle_pane(Pane* pane) { std::erase(idle_list(), pane); }

void idle_panes() {
  std::vector<Pane*> panes = idle_list();
  for (Pane* pane : panes) {
    if (std::find(idle_list().begin(), idle_list().end(), pane) != idle_list().end()) pane->idle();
  }
  if (Pane* focus = focus_pane()) focus->idle();
}

bool mouse_captured() { return tracking_pane() != nullptr; }

void poll_pointer() {
  POINT screen;
  if (!GetCursorPos(&screen)) return;
  if (Pane* tracking = tracking_pane()) {
    WindowPane* window = tracking->window() ? tracking->window() : static_cast<WindowPane*>(tracking);
    POINT p = screen;
    ScreenToClient(window->hwnd(), &p);
    tracking->mouse_drag(p.x, p.y);
    return;
  }
  WindowPane* window = top_level_window_at(screen);
  WindowPane* before = window_under_pointer();
  static POINT last = {-32768, -32768};
  if (before != window) {
    set_window_under_pointer(window);
    if (before) before->mouse_exit();
  } else if (screen.x == last.x && screen.y == last.y) {
    return;  // nothing moved since the last turn
  }
  last = screen;
  if (window) {
    POINT p = screen;
    ScreenToClient(window->hwnd(), &p);
    window->mouse_move(p.x, p.y);
  }
}

bool windows_remain() { return first_window() != nullptr || mdi_frame() != nullptr; }

void close_all_windows() {
  // Each close removes the window from the list; one that refuses to go is destroyed all the same.
  for (int guard = 0; first_window() && guard < 100000; ++guard) {
    WindowPane* window = first_window();
    window->close();
    if (first_window() == window) delete window;
  }
  if (mdi_frame()) DestroyWindow(mdi_frame());
}

void screen_size(int32_t& width, int32_t& height) {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace ql
