// The platform side of windows built from image data.
#include "ui/window/window_support.h"

#include "ui/controls/control_object.h"
#include "ui/panes/pane_state.h"
#include "ui/window/view_window.h"

namespace ql {

bool create_window_pane(QlObject* window_object, int32_t frame_type, const Rect16& screen) {
  auto* pane = new ViewWindow(window_object, frame_type, screen);
  if (pane->created()) return true;
  delete pane;
  return false;
}

bool window_built(QlObject* window_object) { return view_window_of(window_object) != nullptr; }

void set_window_should_show(QlObject* window_object, bool show) {
  if (ViewWindow* pane = view_window_of(window_object)) pane->should_be_shown = show;
}

void show_window(QlObject* window_object) {
  if (ViewWindow* pane = view_window_of(window_object)) pane->show();
}

void hide_window(QlObject* window_object) {
  if (ViewWindow* pane = view_window_of(window_object)) pane->hide();
}

bool window_shown(QlObject* window_object) {
  ViewWindow* pane = view_window_of(window_object);
  return pane && IsWindowVisible(pane->hwnd());
}

void request_window_close(QlObject* window_object) {
  if (ViewWindow* pane = view_window_of(window_object)) pane->close_request();
}

void invalidate_window(QlObject* window_object) {
  if (ViewWindow* pane = view_window_of(window_object)) InvalidateRect(pane->hwnd(), nullptr, TRUE);
}

void prepare_control(QlObject* control, QlObject* window_object) {
  ControlFields* c = as_control_fields(control);
  c->pane_pending = 1;
  c->window_pane = view_window_of(window_object);
}

QlObject* focused_control_object() {
  Pane* pane = focus_pane();
  return pane ? pane->language_object() : nullptr;
}

int32_t window_count() {
  int32_t n = 0;
  for (WindowPane* w = first_window(); w; w = w->next_window) ++n;
  return n;
}

QlObject* window_object_at(int32_t index) {
  WindowPane* w = first_window();
  for (int32_t i = 0; w && i < index; ++i) w = w->next_window;
  return w ? w->language_object() : nullptr;
}

QlObject* front_window_object() {
  HWND active = GetActiveWindow();
  for (WindowPane* w = first_window(); w; w = w->next_window) {
    if (w->hwnd() == active) return w->language_object();
  }
  for (WindowPane* w = first_window(); w; w = w->next_window) {
    if (IsWindowVisible(w->hwnd())) return w->language_object();
  }
  return nullptr;
}

}  // namespace ql
