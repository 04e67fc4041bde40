// Finding a window's controls by name and index, and growing control arrays at run time.
#include "app/window_building.h"
#include "objects/objects.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/events/window_events.h"
#include "ui/window/window_object.h"
#include "ui/window/window_support.h"
#include "values/string.h"

namespace ql {

namespace {

QlObject* find_control(QlObject* window, const std::string& key) {
  if (!window || !class_isa(class_of(window), builtin_class("Window"))) return nullptr;
  WindowControls* controls = as_window_fields(window)->controls;
  return controls ? controls->find(key) : nullptr;
}

}  // namespace

}  // namespace ql

QL_API QlObject* RuntimeControlFetch(QlObject* window, QlString name) {
  return ql::find_control(window, ql::string_cview(name));
}

QL_API QlObject* RuntimeControlReference(QlObject* window, QlString name) {
  QlObject* control = ql::find_control(window, ql::string_cview(name));
  ql::retain_object(control);
  return control;
}

QL_API QlObject* RuntimeControlArrayItemReference(QlObject* window, QlString name, int32_t index) {
  QlObject* control = ql::find_control(window, ql::control_key(ql::string_cview(name), index));
  ql::retain_object(control);
  return control;
}

QL_API QlObject* RuntimeCloneControlReference(QlObject* window, QlString name) {
  using namespace ql;
  if (!window || !class_isa(class_of(window), builtin_class("Window"))) return nullptr;
  WindowControls* controls = as_window_fields(window)->controls;
  if (!controls) return nullptr;
  const ControlGroup* group = controls->group(string_cview(name));
  if (!group) return nullptr;
  // Copies start from the first member's design-time properties.
  ControlGroup g = *group;
  QlObject* templ = controls->find(control_key(g.name, g.index));
  QlObject* copy = make_control(window, g.cls, g.properties);
  const bool control_kind = class_isa(g.cls, builtin_class("Control"));
  if (templ && control_kind) as_control_fields(copy)->container = as_control_fields(templ)->container;
  int32_t index = kNoIndex;
  std::string key = g.name + "*0";
  if (g.index != kNoIndex) {
    index = 0;
    while (controls->find(control_key(g.name, index))) ++index;
    key = control_key(g.name, index);
  }
  set_control_index(copy, index);
  controls->add(key, copy);
  retain_object(copy);  // the caller's; the control table holds the first
  if (control_kind) {
    make_control_pane(copy);
    fire_event(copy, control_events::kOpen);
  }
  return copy;
}

QL_API void RuntimeShowWindow(QlObject* window) {
  if (!window) return;
  ql::as_window_fields(window)->visible = 1;
  ql::show_window(window);
}

QL_API void RuntimeHideWindow(QlObject* window) {
  if (!window) return;
  ql::as_window_fields(window)->visible = 0;
  ql::hide_window(window);
}

QL_API void RuntimeCloseWindow(QlObject* window) {
  if (!window || !ql::window_built(window)) return;
  ql::request_window_close(window);
}
