// The canvas pane: drawing while shown, the backdrop, Paint, and the mouse events of a canvas.
#include "ui/controls/canvas_pane.h"

#include "objects/objects.h"
#include "ui/controls/canvas_object.h"
#include "ui/controls/control_object.h"
#include "ui/events/window_events.h"
#include "ui/graphics/graphics.h"
#include "ui/panes/pane_state.h"

namespace ql {

namespace {

// Holds the canvas for the length of a handler that may close its window.
struct Held {
  explicit Held(QlObject* o) : object(o) { retain_object(o); }
  ~Held() { release_object(object); }
  QlObject* object;
};

}  // namespace

CanvasPane::CanvasPane(QlObject* canvas, WindowPane* window, const Rect16& rect)
    : ControlPane(canvas, window, rect) {}

void CanvasPane::draw() {
  if (!shown_) return;
  QlObject* canvas = control();
  if (QlObject* backdrop = as_canvas_fields(canvas)->backdrop)
    draw_picture_at(this, backdrop, bounds.left, bounds.top);
  if (!has_handler(canvas, canvas_events::kPaint)) return;
  Held held(canvas);
  QlObject* g = new_pane_graphics(this);
  fire_event(canvas, canvas_events::kPaint, g);
  release_object(g);
}

bool CanvasPane::mouse_down(int32_t x, int32_t y, int32_t) {
  if (!enabled_) return false;
  QlObject* canvas = control();
  Held held(canvas);
  bool track = fire_boolean_event(canvas, canvas_events::kMouseDown, x - bounds.left, y - bounds.top);
  // A handler that closed the window took the pane with it.
  if (track && as_control_fields(canvas)->pane == this && !closed) start_tracking(this);
  return track;
}

bool CanvasPane::contextual_mouse_down(int32_t x, int32_t y, int32_t modifiers) {
  if (Pane::contextual_mouse_down(x, y, modifiers)) return true;
  set_contextual_click(true);
  bool handled = mouse_down(x, y, modifiers);
  set_contextual_click(false);
  return handled;
}

void CanvasPane::mouse_drag(int32_t x, int32_t y) {
  fire_event(control(), canvas_events::kMouseDrag, x - bounds.left, y - bounds.top);
}

void CanvasPane::mouse_up(int32_t x, int32_t y) {
  if (tracking_pane() == this) stop_tracking();
  fire_event(control(), canvas_events::kMouseUp, x - bounds.left, y - bounds.top);
}

void CanvasPane::set_shown(bool shown) {
  ControlPane::set_shown(shown);
  invalidate();
}

void create_canvas_pane(QlObject* canvas) {
  ControlFields* c = as_control_fields(canvas);
  if (c->pane || !c->window_pane) return;
  auto* pane = new CanvasPane(canvas, c->window_pane, c->bounds);
  pane->build();
  c->pane_pending = 0;
}

bool CanvasPane::make_platform_window() {
  DWORD ex_style = as_canvas_fields(control())->transparent ? WS_EX_TRANSPARENT : 0;
  // Canvases often lie under other controls and under each other; without clipping, the one painted last
  // would wipe whatever the earlier-made siblings above it show (a title picture over a drawing canvas).
  return create_native("QL_Pane", WS_CLIPSIBLINGS, ex_style, nullptr);
}

}  // namespace ql
