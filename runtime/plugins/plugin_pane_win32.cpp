// Forwarding the operations of plug-in panes to the plug-in's behaviour table. A behaviour function may run
// compiled code that closes the window or drops the control, so each call holds the instance, and after it
// the pane is touched only while the control still has it.
#include "plugins/plugin_pane.h"

#include "app/periodic_tasks.h"
#include "objects/objects.h"
#include "ui/controls/control_object.h"
#include "ui/graphics/graphics.h"
#include "ui/panes/pane_state.h"
#include "ui/window/window_pane.h"
#include "ui/window/window_registration.h"

namespace ql {

namespace {

constexpr uint32_t kIdlePeriod = 10;  // units of the periodic-task clock, 16 ms each

// Holds the instance for the length of a behaviour call.
struct Held {
  explicit Held(QlObject* o) : object(o) { retain_object(o); }
  ~Held() { release_object(object); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  QlObject* object;
};

bool still_has(QlObject* instance, const Pane* pane) { return as_control_fields(instance)->pane == pane; }

int16_t key_modifiers() {
  int16_t modifiers = 0;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= kModifierControl;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= kModifierShift;
  return modifiers;
}

bool focusable_in(Pane* pane, const Pane* except) {
  for (Pane* child = pane->first_child(); child; child = child->next_sibling()) {
    if (child != except && (child->can_take_focus() || focusable_in(child, except))) return true;
  }
  return false;
}

}  // namespace

PluginPane::PluginPane(QlObject* control, WindowPane* window, const PluginControl& registration)
    : ControlPane(control, window, as_control_fields(control)->bounds),
      instance_(control),
      control_(registration) {}

PluginPane::~PluginPane() { stop_idle(); }

void PluginPane::open() {
  if (create_native("QL_Pane", 0, WS_EX_TRANSPARENT, nullptr)) {
    SetPropA(hwnd_, kInstanceProperty, this);
    previous_procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassed_control_procedure)));
  }
  if (behaviour().idle) idle_task_ = add_periodic_task(idle_tick, this, kIdlePeriod);
  if (behaviour().opened && instance_) {
    QlObject* instance = instance_;
    Held held(instance);
    begin_drawing();
    behaviour().opened(instance);
    if (still_has(instance, this)) end_drawing();
  }
}

void PluginPane::idle_tick(void* context) {
  auto* pane = static_cast<PluginPane*>(context);
  if (pane->closed || !pane->instance_) return;
  Held held(pane->instance_);
  pane->behaviour().idle(pane->instance_);
}

void PluginPane::stop_idle() {
  if (idle_task_) remove_periodic_task(idle_task_);
  idle_task_ = 0;
}

void PluginPane::draw() {
  if (!instance_ || !behaviour().draw) return;
  QlObject* graphics = new_pane_graphics(this);
  behaviour().draw(instance_, graphics);
  release_object(graphics);
}

bool PluginPane::mouse_down(int32_t x, int32_t y, int32_t modifiers) {
  if (!instance_ || closed) return false;
  if (can_take_focus()) set_focus_pane(this);
  if (!behaviour().mouse_down) return false;
  QlObject* instance = instance_;
  Held held(instance);
  bool track = behaviour().mouse_down(instance, x, y, modifiers);
  if (!still_has(instance, this) || closed) return false;
  if (track) start_tracking(this);
  return track;
}

void PluginPane::mouse_drag(int32_t x, int32_t y) {
  if (!instance_ || !behaviour().mouse_drag) return;
  Held held(instance_);
  behaviour().mouse_drag(instance_, x, y);
}

void PluginPane::mouse_up(int32_t x, int32_t y) {
  if (!instance_ || !behaviour().mouse_up) return;
  Held held(instance_);
  behaviour().mouse_up(instance_, x, y);
}

bool PluginPane::can_take_focus() {
  if (!visible() || !instance_ || !(control_.flags & QL_PLUGIN_FOCUSABLE)) return false;
  for (Pane* container = owner(); container; container = container->owner()) {
    if (!container->visible()) return false;
  }
  return true;
}

void PluginPane::gain_focus() {
  if (!instance_ || !behaviour().gained_focus) return;
  Held held(instance_);
  behaviour().gained_focus(instance_);
}

void PluginPane::lose_focus() {
  if (!instance_ || !behaviour().lost_focus) return;
  Held held(instance_);
  behaviour().lost_focus(instance_);
}

bool PluginPane::key_down(int32_t key) {
  if (!instance_ || !behaviour().key_down) return false;
  auto character = static_cast<uint8_t>(key & 0xFF);
  auto key_code = static_cast<uint8_t>((key >> 8) & 0xFF);
  Held held(instance_);
  return behaviour().key_down(instance_, character, key_code ? key_code : character, key_modifiers());
}

void PluginPane::state_message(int32_t code) {
  ControlPane::state_message(code);
  if (code == kStateWindowActivated && window()) other_focusable_ = focusable_in(window(), this);
}

void PluginPane::invalidate() { invalidate_area({bounds.left, bounds.top, bounds.right, bounds.bottom}); }

void PluginPane::invalidate_area(const RECT& area) {
  if (no_redraw) return;
  HWND window_hwnd = window() ? window()->hwnd() : nullptr;
  if (!opaque() && window_hwnd) {
    // The window paints its background and whatever lies beneath first; this pane is painted over it.
    RedrawWindow(window_hwnd, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  if (hwnd_) {
    RECT own = area;
    OffsetRect(&own, -bounds.left, -bounds.top);
    InvalidateRect(hwnd_, &own, TRUE);
  } else if (window_hwnd) {
    InvalidateRect(window_hwnd, &area, TRUE);
  }
}

void PluginPane::close() {
  if (closed) return;
  stop_idle();
  if (instance_ && behaviour().closing) {
    Held held(instance_);
    behaviour().closing(instance_);
  }
  ControlPane::close();
}

bool PluginPane::command(int32_t) {
  if (!instance_ || !behaviour().command) return false;
  Held held(instance_);
  return behaviour().command(instance_);
}

LRESULT PluginPane::window_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && lparam) {
    command(HIWORD(wparam));
    return 0;
  }
  return CallWindowProcA(previous_procedure_, hwnd_, message, wparam, lparam);
}

PluginPane* plugin_pane_of(QlObject* control) {
  if (!control || !plugin_control_of(control)) return nullptr;
  return dynamic_cast<PluginPane*>(as_control_fields(control)->pane);
}

}  // namespace ql
