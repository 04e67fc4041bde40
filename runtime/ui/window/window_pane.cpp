// QLWindow: creating top-level windows for their frame type, the window list and modal stack, deferred
// geometry, showing and hiding, and the messages every runtime window handles.
#include "ui/window/window_pane.h"

#include <vector>

#include "ui/events/app_hooks.h"
#include "ui/panes/pane_state.h"
#include "ui/window/default_buttons.h"
#include "ui/window/drop_target.h"
#include "ui/window/window_geometry.h"
#include "values/fatal.h"

namespace ql {

namespace {

struct WindowRegistry {
  WindowPane* first = nullptr;
  std::vector<WindowPane*> modal;  // oldest first
  WindowPane* menu_bar_window = nullptr;
  WindowPane* main_window = nullptr;
};

WindowRegistry& registry() {
  static WindowRegistry r;
  return r;
}

struct FrameStyle {
  DWORD style;
  DWORD ex_style;
  bool modal;
  bool never_resizable;
};

FrameStyle frame_style(int32_t type) {
  switch (type) {
    case 0:
    case 8:
      return {WS_CAPTION, 0, false, false};
    case 1:
      return {WS_POPUP | WS_CAPTION, 0x180, false, false};
    case 2:
      return {WS_POPUP | WS_DLGFRAME, 0, true, true};
    case 3:
      return {WS_POPUP | WS_CAPTION, 0x1, true, true};
    case 4:
      return {WS_POPUP | WS_BORDER, 0, true, true};
    case 5:
      return {WS_POPUP | WS_BORDER, 0x200, true, true};
    case 6:
      return {WS_CAPTION, 0, false, true};
    case 7:
      return {WS_POPUP | WS_BORDER, 0x380, true, true};
    case 9:
      return {WS_POPUP | WS_CAPTION, 0x188, false, false};
    default:
      report_assertion(ql::kConsistencyCheck, "window", 1);
      return {WS_CAPTION, 0, false, false};
  }
}

RECT to_rect(const Rect16& r) { return {r.left, r.top, r.right, r.bottom}; }
Rect16 from_rect(const RECT& r) { return rect16_of({r.left, r.top, r.right, r.bottom}); }

}  // namespace

bool frame_is_modal(int32_t frame_type) {
  return frame_type >= 0 && frame_type < kFrameTypeCount && frame_style(frame_type).modal;
}

WindowPane::WindowPane(int32_t type, bool close_box, bool grow_box, bool zoom_box, const Rect16& screen,
                       const std::string& title)
    : Pane(nullptr, Rect16{0, 0, clamp16(screen.height()), clamp16(screen.width())}),
      wanted(screen),
      frame_type(type) {
  FrameStyle frame = frame_style(type);
  resizable = grow_box && !frame.never_resizable;
  DWORD style = frame.style | WS_CLIPCHILDREN;
  if (resizable) style |= WS_THICKFRAME;
  if (close_box) style |= WS_SYSMENU;
  if (zoom_box) style |= WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  mdi_child_ = mdi_client() && (type == 0 || type == 8 || type == 6);

  HMENU menu = nullptr;
  if (!mdi_child_ && !registry().menu_bar_window && (type == 0 || type == 8) && app_hooks().menu_bar)
    menu = static_cast<HMENU>(app_hooks().menu_bar());
  RECT outer = to_rect(screen);
  AdjustWindowRectEx(&outer, style, menu != nullptr, frame.ex_style);

  if (mdi_child_) {
    hwnd_ = CreateMDIWindowA("QL_MDICHILD", title.c_str(), style, outer.left, outer.top,
                             outer.right - outer.left, outer.bottom - outer.top, mdi_client(),
                             GetModuleHandleA(nullptr), reinterpret_cast<LPARAM>(this));
  } else {
    hwnd_ = CreateWindowExA(frame.ex_style, "QLWindow", title.c_str(), style, outer.left, outer.top,
                            outer.right - outer.left, outer.bottom - outer.top, owner_window(), menu,
                            GetModuleHandleA(nullptr), this);
  }
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, 0, reinterpret_cast<LONG_PTR>(this));
  if (menu) {
    holds_menu_bar = true;
    registry().menu_bar_window = this;
  }
  if (!registry().main_window) registry().main_window = this;
  drop_target = register_drop_target(this);
  next_window = registry().first;
  registry().first = this;
  if (frame.modal) push_modal(this);
}

void WindowPane::leave_window_list() {
  WindowRegistry& r = registry();
  unlink_window(this);
  if (r.menu_bar_window == this) r.menu_bar_window = nullptr;
  if (r.main_window == this) r.main_window = nullptr;
  std::erase(r.modal, this);
  if (window_under_pointer() == this) set_window_under_pointer(nullptr);
}

WindowPane::~WindowPane() {
  leave_window_list();
  revoke_drop_target(this);
  if (hwnd_ && holds_menu_bar) SetMenu(hwnd_, nullptr);  // the menu bar outlives its window
  if (hwnd_ && mdi_child_ && IsWindow(hwnd_)) {
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrA(hwnd, 0, 0);
    SendMessageA(mdi_client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
  }
}

void WindowPane::paint_window() {
  apply_geometry();
  paint();
}

void WindowPane::activate() {
  active = true;
  set_current_port(this);
  for (Pane* child = first_child(); child; child = child->next_sibling())
    child->state_message(kStateWindowActivated);
  if (frame_type == 1 || frame_type == 7) return;
  if (last_focus && !last_focus->closed) {
    set_focus_pane(last_focus);
  } else if (GetFocus() != hwnd_ && !IsChild(hwnd_, GetFocus())) {
    SetFocus(hwnd_);  // keys then come to the window
  }
}

void WindowPane::deactivate() {
  Pane* focus = focus_pane();
  if (focus && focus->window() == this) {
    last_focus = focus;
    set_focus_pane(nullptr);
  }
  active = false;
  for (Pane* child = first_child(); child; child = child->next_sibling())
    child->state_message(kStateWindowDeactivated);
}

bool WindowPane::key_down(int32_t key) { return handle_window_key(this, key); }

Pane* WindowPane::key_target() {
  Pane* focus = focus_pane();
  return focus && focus->window() == this ? focus : this;
}

void WindowPane::mouse_enter() {}
void WindowPane::mouse_exit() {}
void WindowPane::moved() {}
void WindowPane::resized() {}
void WindowPane::size_limits(MINMAXINFO*) {}
void WindowPane::close_request() {}

void WindowPane::show() {
  should_be_shown = true;
  come_on_screen();
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  BringWindowToTop(hwnd_);
}

void WindowPane::hide() {
  should_be_shown = false;
  on_screen = false;
  ShowWindow(hwnd_, SW_HIDE);
}

Rect16 WindowPane::client_rect() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  MapWindowPoints(hwnd_, mdi_child_ ? mdi_client() : nullptr, reinterpret_cast<POINT*>(&r), 2);
  return from_rect(r);
}

void WindowPane::apply_geometry() {
  if (!hwnd_) return;
  Rect16 actual = client_rect();
  if (!(actual == wanted)) {
    bool size_changed = actual.width() != wanted.width() || actual.height() != wanted.height();
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    if (mdi_child_) MapWindowPoints(nullptr, mdi_client(), reinterpret_cast<POINT*>(&outer), 2);
    Edges moved = frame_for_content({outer.left, outer.top, outer.right, outer.bottom}, actual, wanted);
    outer = {moved.left, moved.top, moved.right, moved.bottom};
    // A window that code moves keeps its caption and menu bar reachable: its frame's top-left stays inside
    // the work area (a content top of 25, as the lessons' editor asks, would put both above the screen).
    RECT work;
    if (!mdi_child_ && SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
      if (outer.top < work.top) OffsetRect(&outer, 0, work.top - outer.top);
      if (outer.left < work.left) OffsetRect(&outer, work.left - outer.left, 0);
    }
    MoveWindow(hwnd_, outer.left, outer.top, moved.width(), moved.height(), TRUE);
    if (size_changed && resize_pending) {
      resize_pending = false;
      resized();
    }
  }
  if (should_be_shown && !IsWindowVisible(hwnd_)) {
    come_on_screen();
    ShowWindow(hwnd_, SW_SHOW);
  }
}

void WindowPane::erase(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  HBRUSH brush = has_back_color ? CreateSolidBrush(back_colorref) : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &r, brush);
  if (has_back_color) DeleteObject(brush);
}

WindowPane* first_window() { return registry().first; }

void unlink_window(WindowPane* window) {
  for (WindowPane** link = &registry().first; *link; link = &(*link)->next_window) {
    if (*link == window) {
      *link = window->next_window;
      window->next_window = nullptr;
      return;
    }
  }
}

void push_modal(WindowPane* window) { registry().modal.push_back(window); }

bool modal_window_up() {
  for (WindowPane* window : registry().modal) {
    if (window->hwnd() && IsWindowVisible(window->hwnd())) return true;
  }
  return false;
}

HWND owner_window() {
  const std::vector<WindowPane*>& modal = registry().modal;
  for (auto it = modal.rbegin(); it != modal.rend(); ++it) {
    if ((*it)->hwnd() && IsWindowVisible((*it)->hwnd())) return (*it)->hwnd();
  }
  if (mdi_frame()) return mdi_frame();
  return registry().main_window ? registry().main_window->hwnd() : nullptr;
}

WindowPane* menu_bar_window() { return registry().menu_bar_window; }

HWND window_hwnd(const WindowPane* window) { return window->hwnd(); }
Rect16 window_content(const WindowPane* window) { return window->bounds; }
bool window_on_screen(const WindowPane* window) { return window->on_screen; }

namespace {
void realize_seen_within(Pane* pane) {
  for (Pane* child = pane->first_child(); child; child = child->next_sibling()) {
    child->realize_if_seen();
    realize_seen_within(child);
  }
}
}  // namespace

void WindowPane::realize_seen_children() { realize_seen_within(this); }

void WindowPane::come_on_screen() {
  if (on_screen) return;
  on_screen = true;
  realize_seen_children();
}
void forget_window_focus(WindowPane* window, Pane* pane) {
  if (window->last_focus == pane) window->last_focus = nullptr;
}
void apply_window_geometry(WindowPane* window) { window->apply_geometry(); }

}  // namespace ql
