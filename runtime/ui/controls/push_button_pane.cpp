// The push button's pane: the outer pane, the system button inside it, clicks and focus.
#include "ui/controls/push_button_pane.h"

#include "ui/events/control_events.h"
#include "ui/events/receivers.h"
#include "ui/events/window_events.h"
#include "ui/panes/pane_state.h"
#include "ui/window/default_buttons.h"
#include "ui/window/window_pane.h"
#include "values/string.h"

namespace ql {

ButtonPane::ButtonPane(QlObject* button, WindowPane* window, const Rect16& rect)
    : NativeControlPane(button, window, rect) {}

bool ButtonPane::build() {
  PushButtonFields* f = as_push_button_fields(control());
  is_default = f->is_default;
  is_cancel = f->is_cancel;
  defer();
  update_default_buttons(window(), focus_pane());
  return true;
}

bool ButtonPane::make_platform_window() {
  if (!create_native("QL_Pane", WS_CLIPCHILDREN, WS_EX_TRANSPARENT, "")) return false;
  PushButtonFields* f = as_push_button_fields(control());
  HWND button = CreateWindowExA(0, "BUTTON", string_cview(f->caption),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, width, height,
                                hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!button) return false;
  adopt(button);
  subclass();
  if (shows_default_) SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  return true;
}

bool ButtonPane::command(int32_t notification) {
  if (notification == BN_CLICKED) click();
  return true;
}

void ButtonPane::click() {
  if (closed) return;
  QlObject* button = control();
  retain_object(button);
  if (Receivers* receivers = as_push_button_fields(button)->receivers) receivers->tell("PerformAction");
  if (as_control_fields(button)->pane == this) fire_event(button, push_button_events::kAction);
  release_object(button);
}

LRESULT ButtonPane::window_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS: {
      LRESULT result = NativeControlPane::window_procedure(message, wparam, lparam);
      set_focus_pane(this);
      update_default_buttons(window(), this);
      return result;
    }
    case WM_KILLFOCUS: {
      LRESULT result = NativeControlPane::window_procedure(message, wparam, lparam);
      update_default_buttons(window(), pane_from_hwnd(reinterpret_cast<HWND>(wparam)));
      return result;
    }
    case WM_CHAR:
      if ((wparam == '\r' || wparam == 27 || wparam == '\t') && offer_to_window(static_cast<int32_t>(wparam)))
        return 0;
      break;
    default:
      break;
  }
  return NativeControlPane::window_procedure(message, wparam, lparam);
}

void ButtonPane::set_bounds(const Rect16& rect, bool redraw) {
  Pane::set_bounds(rect, redraw);
  if (control_hwnd()) MoveWindow(control_hwnd(), 0, 0, width, height, redraw);
}

void ButtonPane::set_enabled(bool enabled, bool redraw) {
  Pane::set_enabled(enabled, redraw);
  if (control_hwnd()) EnableWindow(control_hwnd(), enabled);
  update_default_buttons(window(), focus_pane());
}

bool ButtonPane::can_take_focus() { return enabled_ && visible(); }

void ButtonPane::gain_focus() {
  realize();
  if (control_hwnd() && GetFocus() != control_hwnd()) SetFocus(control_hwnd());
  raise_on_control(this, rect_control_events::kGotFocus);
}

void ButtonPane::lose_focus() { raise_on_control(this, rect_control_events::kLostFocus); }

void ButtonPane::set_caption(QlString caption) {
  if (control_hwnd()) SetWindowTextA(control_hwnd(), string_cview(caption));
}

void ButtonPane::show_as_default(bool on) {
  shows_default_ = on;
  if (!control_hwnd()) return;
  LONG style = GetWindowLongA(control_hwnd(), GWL_STYLE);
  bool now = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (now != on) SendMessageA(control_hwnd(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace ql
