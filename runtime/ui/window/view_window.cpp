// RuntimeViewWindow: the events of a compiled window object raised from its pane.
#include "ui/window/view_window.h"

#include "objects/objects.h"
#include "ui/controls/control_object.h"
#include "ui/events/window_events.h"
#include "ui/graphics/graphics.h"
#include "ui/panes/pane_state.h"
#include "ui/window/control_table.h"
#include "ui/window/window_geometry.h"
#include "ui/window/window_object.h"
#include "values/string.h"

namespace ql {

namespace {

std::string title_of(QlObject* window) { return string_cview(as_window_fields(window)->title); }

WindowControls* controls_of(QlObject* window) { return as_window_fields(window)->controls; }

bool is_canvas(QlObject* control) {
  static const ClassObject* canvas = builtin_class("Canvas");
  return class_isa(class_of(control), canvas);
}

// Holds the window object for the length of a handler that may close the window.
struct Held {
  explicit Held(QlObject* o) : object(o) { retain_object(o); }
  ~Held() { release_object(object); }
  QlObject* object;
};

// The window's controls as they are now, each held while the handlers it raises run: a handler may add
// controls, or close the window and so let go of them.
struct HeldControls {
  explicit HeldControls(QlObject* window) {
    if (WindowControls* controls = controls_of(window)) list = controls->controls;
    for (QlObject* control : list) retain_object(control);
  }
  ~HeldControls() {
    for (QlObject* control : list) release_object(control);
  }
  std::vector<QlObject*> list;
};

}  // namespace

ViewWindow* view_window_of(QlObject* window_object) {
  if (!window_object) return nullptr;
  return static_cast<ViewWindow*>(as_window_fields(window_object)->pane);
}

ViewWindow::ViewWindow(QlObject* window_object, int32_t frame_type, const Rect16& screen)
    : WindowPane(frame_type, as_window_fields(window_object)->close_box,
                 as_window_fields(window_object)->grow_icon, as_window_fields(window_object)->zoom_icon,
                 screen, title_of(window_object)),
      object_(window_object) {
  retain_object(object_);
  WindowFields* fields = as_window_fields(object_);
  has_back_color = fields->has_back_color;
  back_colorref = fields->has_back_color ? colorref_from_rgb(fields->back_color) : 0xFFFFFF;
  if (created()) fields->pane = this;
  fields->bounds = screen;
}

ViewWindow::~ViewWindow() {
  delete closed_controls_;
  WindowFields* fields = as_window_fields(object_);
  if (fields->pane == this) fields->pane = nullptr;
  QlObject* object = object_;
  object_ = nullptr;
  release_object(object);
}

void ViewWindow::draw() {
  QlObject* window = object_;
  if (QlObject* backdrop = as_window_fields(window)->backdrop) draw_picture_at(this, backdrop, 0, 0);
  if (!has_handler(window, window_events::kPaint)) return;
  QlObject* g = new_pane_graphics(this);
  Held held(window);
  fire_event(window, window_events::kPaint, g);
  release_object(g);
}

bool ViewWindow::mouse_down(int32_t x, int32_t y, int32_t) {
  Held held(object_);
  bool track = fire_boolean_event(object_, window_events::kMouseDown, x, y);
  if (track && !closed) start_tracking(this);
  return track;
}

bool ViewWindow::contextual_mouse_down(int32_t x, int32_t y, int32_t modifiers) {
  set_contextual_click(true);
  bool handled = mouse_down(x, y, modifiers);
  set_contextual_click(false);
  return handled;
}

void ViewWindow::mouse_drag(int32_t x, int32_t y) { fire_event(object_, window_events::kMouseDrag, x, y); }

void ViewWindow::mouse_up(int32_t x, int32_t y) {
  stop_tracking();
  fire_event(object_, window_events::kMouseUp, x, y);
}

void ViewWindow::mouse_move(int32_t x, int32_t y) {
  Held held(object_);
  {
    HeldControls held_controls(object_);
    const std::vector<QlObject*>& list = held_controls.list;
    for (QlObject* control : list) {
      ControlFields* c = as_control_fields(control);
      if (c->mouse_inside && !c->bounds.contains(x, y)) {
        c->mouse_inside = 0;
        fire_event(control, rect_control_events::kMouseExit);
        if (closed) return;
      }
    }
    for (QlObject* control : list) {
      ControlFields* c = as_control_fields(control);
      if (!c->enabled || !c->visible || !c->bounds.contains(x, y)) continue;
      if (!c->mouse_inside) {
        c->mouse_inside = 1;
        fire_event(control, rect_control_events::kMouseEnter);
        if (closed) return;
      }
      if (is_canvas(control)) {
        fire_event(control, rect_control_events::kMouseMove, x - c->bounds.left, y - c->bounds.top);
      } else {
        fire_event(control, rect_control_events::kMouseMove, x, y);
      }
      if (closed) return;
    }
  }
  fire_event(object_, window_events::kMouseMove, x, y);
}

void ViewWindow::mouse_exit() {
  Held held(object_);
  {
    HeldControls held_controls(object_);
    for (QlObject* control : held_controls.list) {
      ControlFields* c = as_control_fields(control);
      if (!c->mouse_inside) continue;
      c->mouse_inside = 0;
      fire_event(control, rect_control_events::kMouseExit);
      if (closed) return;
    }
  }
  fire_event(object_, window_events::kMouseExit);
}

bool ViewWindow::key_down(int32_t key) {
  Held held(object_);
  char text = static_cast<char>(key);
  QlString key_text = string_from_bytes(&text, 1);
  bool consumed = fire_boolean_event(object_, window_events::kKeyDown, key_text);
  string_release(key_text);
  if (consumed || closed) return true;
  return WindowPane::key_down(key);
}

void ViewWindow::drop_object(QlObject* drag_item) {
  fire_event(object_, window_events::kDropObject, drag_item);
}

void ViewWindow::activate() {
  Held held(object_);
  fire_event(object_, window_events::kActivate);
  if (!closed) WindowPane::activate();
}

void ViewWindow::deactivate() {
  Held held(object_);
  WindowPane::deactivate();
  fire_event(object_, window_events::kDeactivate);
}

// The wanted rectangle is the window's position as the runtime knows it: a position setter moves it before
// the platform window follows, WM_MOVE and WM_SIZE re-read it.
void ViewWindow::moved() {
  as_window_fields(object_)->bounds = wanted;
  fire_event(object_, window_events::kMoved);
}

void ViewWindow::resized() {
  Held held(object_);
  WindowFields* fields = as_window_fields(object_);
  Rect16 now = wanted;
  fields->bounds = now;
  // The first report, as the window is built, is where the controls were laid out.
  if (reported_width_ < 0) {
    reported_width_ = now.width();
    reported_height_ = now.height();
  }
  int32_t dx = now.width() - reported_width_;
  int32_t dy = now.height() - reported_height_;
  reported_width_ = now.width();
  reported_height_ = now.height();
  if ((dx || dy) && fields->controls) {
    for (QlObject* control : fields->controls->controls) {
      ControlFields* c = as_control_fields(control);
      if (!c->lock_right && !c->lock_bottom) continue;
      Rect16 r = follow_window_resize(
          c->bounds, {c->lock_left != 0, c->lock_top != 0, c->lock_right != 0, c->lock_bottom != 0}, dx, dy);
      c->bounds = r;
      if (c->pane) c->pane->set_bounds(r, true);
    }
  }
  fire_event(object_, window_events::kResized);
}

void ViewWindow::size_limits(MINMAXINFO* info) {
  WindowFields* fields = as_window_fields(object_);
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, GetWindowLongA(hwnd_, GWL_STYLE), GetMenu(hwnd_) != nullptr,
                     GetWindowLongA(hwnd_, GWL_EXSTYLE));
  TrackSizes sizes = track_sizes(
      fields->min_width, fields->min_height, fields->max_width, fields->max_height, frame.right - frame.left,
      frame.bottom - frame.top,
      {info->ptMinTrackSize.x, info->ptMinTrackSize.y, info->ptMaxTrackSize.x, info->ptMaxTrackSize.y});
  info->ptMinTrackSize = {sizes.min_width, sizes.min_height};
  info->ptMaxTrackSize = {sizes.max_width, sizes.max_height};
}

void ViewWindow::close_request() {
  Held held(object_);
  if (fire_boolean_event(object_, window_events::kCancelClose)) return;
  if (!closed) close();
}

void ViewWindow::close() {
  if (closed) return;
  QlObject* window = object_;
  retain_object(window);
  Pane* focus = focus_pane();
  if (focus && (focus == this || focus->window() == this)) set_focus_pane(nullptr);
  WindowFields* fields = as_window_fields(window);
  std::vector<QlObject*> controls;
  if (fields->controls) controls = fields->controls->controls;
  for (QlObject* control : controls) fire_event(control, control_events::kClose);
  fire_event(window, window_events::kClose);
  Pane::close();
  // Panes belong to their controls and go with the window, whoever still holds the control objects.
  for (QlObject* control : controls) {
    ControlFields* c = as_control_fields(control);
    Pane* pane = c->pane;
    c->pane = nullptr;
    c->window_pane = nullptr;
    delete_pane(pane);
  }
  // The controls stay held until their panes are gone (the end of the message, or at once), which use
  // them to the last.
  closed_controls_ = fields->controls;
  fields->controls = nullptr;
  release_object(fields->graphics);
  fields->graphics = nullptr;
  if (fields->variable && *fields->variable == window) *fields->variable = nullptr;
  fields->variable = nullptr;
  if (fields->pane == this) fields->pane = nullptr;
  leave_window_list();
  delete_pane(this);
  release_object(window);
}

}  // namespace ql
