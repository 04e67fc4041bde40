// System controls inside panes.
#include "ui/panes/native_control_pane.h"

#include "ui/graphics/font_cache.h"
#include "ui/window/window_pane.h"
#include "ui/window/window_registration.h"

namespace ql {

NativeControlPane::NativeControlPane(QlObject* control, WindowPane* window, const Rect16& rect)
    : ControlPane(control, window, rect) {}

NativeControlPane::~NativeControlPane() {
  if (control_hwnd_ && IsWindow(control_hwnd_)) {
    if (subclassed_) SetWindowLongPtrA(control_hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(control_hwnd_, kInstanceProperty);
  }
  release_font(font_);
}

void NativeControlPane::adopt(HWND hwnd) {
  control_hwnd_ = hwnd;
  SetPropA(hwnd, kInstanceProperty, this);
  apply_font();
}

void NativeControlPane::subclass() {
  if (!control_hwnd_ || subclassed_) return;
  previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      control_hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassed_control_procedure)));
  subclassed_ = previous_ != nullptr;
}

LRESULT NativeControlPane::window_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!previous_) return DefWindowProcA(control_hwnd_, message, wparam, lparam);
  return CallWindowProcA(previous_, control_hwnd_, message, wparam, lparam);
}

void NativeControlPane::apply_font() {
  HFONT font = acquire_font(font_name, font_size, font_style);
  if (control_hwnd_) SendMessageA(control_hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  release_font(font_);
  font_ = font;
}

bool NativeControlPane::offer_to_window(int32_t key) {
  WindowPane* w = window();
  return w && w->key_down(key);
}

}  // namespace ql
