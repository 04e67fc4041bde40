// Control and RectControl: their layout, property table, the panes made for them, and the entry points of
// control positions, visibility, enabling and refreshing.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/events/window_events.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/panes/pane.h"
#include "ui/panes/positions.h"
#include "ui/ui_classes.h"
#include "ui/window/window_pane.h"
#include "values/string.h"

namespace ql {

namespace {

void destroy_control(QlObject* object, ClassObject*) {
  ControlFields* c = as_control_fields(object);
  Pane* pane = c->pane;
  c->pane = nullptr;
  // The pane serves this control and goes with it now. While its window is open the control table holds
  // the control, so no handler of the pane can be running when this happens.
  delete pane;
  string_release(c->name);
  string_release(c->balloon_help);
  string_release(c->disabled_balloon_help);
  string_release(c->text_font);
  string_release(c->accepted_file_types);
  c->accepted_file_types = nullptr;
  c->name = c->balloon_help = c->disabled_balloon_help = c->text_font = nullptr;
}

void construct_control(QlObject* object, ClassObject*) {
  ControlFields* c = as_control_fields(object);
  c->visible = 1;
  c->enabled = 1;
  c->text_size = 0;
  set_control_index(object, kNoIndex);
}

void control_index_setter(QlObject* control, intptr_t, int32_t index) { set_control_index(control, index); }

}  // namespace

void define_control_classes() {
  ClassObject* control = define_builtin_class("Control", nullptr, sizeof(ControlObject));
  ClassObject* rect = define_builtin_class("RectControl", control, sizeof(ControlObject));
  control->constructor = construct_control;
  control->destructor = destroy_control;
  control->properties.clear();
  declare_events(control, {&control_events::kOpen, &control_events::kClose, &control_events::kCreatePane,
                           &control_events::kDropObject});
  add_string_field(control, "Name", offsetof(ControlFields, name));
  add_property(control, "Index", &kIntegerType, code_of(controlIndexGetter), code_of(control_index_setter));

  rect->properties.clear();
  using namespace rect_control_events;
  declare_events(rect, {&kMouseEnter, &kMouseExit, &kMouseMove, &kGotFocus, &kLostFocus, &kKeyDown});
  add_int32_field(rect, "TabPanelIndex", offsetof(ControlFields, tab_panel_index));
  add_property(rect, "Visible", &kBooleanType, code_of(controlVisibleGetter), code_of(ControlVisibleSetter));
  add_property(rect, "Enabled", &kBooleanType, code_of(controlEnabledGetter), code_of(controlEnabledSetter));
  const char* const positions[] = {"Left", "Top", "Width", "Height"};
  for (intptr_t which = 0; which < 4; ++which)
    add_property(rect, positions[which], &kIntegerType, code_of(ctlPosGetter), code_of(ctlPosSetter), which);
  add_string_field(rect, "BalloonHelp", offsetof(ControlFields, balloon_help));
  add_string_field(rect, "DisabledBalloonHelp", offsetof(ControlFields, disabled_balloon_help));
  add_bool_field(rect, "LockLeft", offsetof(ControlFields, lock_left));
  add_bool_field(rect, "LockTop", offsetof(ControlFields, lock_top));
  add_bool_field(rect, "LockRight", offsetof(ControlFields, lock_right));
  add_bool_field(rect, "LockBottom", offsetof(ControlFields, lock_bottom));
  add_string_field(rect, "TextFont", offsetof(ControlFields, text_font));
  add_int32_field(rect, "TextSize", offsetof(ControlFields, text_size));
  add_bool_field(rect, "Bold", offsetof(ControlFields, bold));
  add_bool_field(rect, "Italic", offsetof(ControlFields, italic));
  add_bool_field(rect, "Underline", offsetof(ControlFields, underline));
  add_bool_field(rect, "UseFocusRing", offsetof(ControlFields, use_focus_ring));
  add_method(rect, "Refresh", code_of(RuntimeControlRefresh));
  add_method(rect, "RefreshRect", code_of(RuntimeControlRefreshRect));
  add_method(rect, "AcceptTextDrop", code_of(controlAcceptTextDrop));
  add_method(rect, "AcceptFileDrop", code_of(controlAcceptFileDrop));
}

void copy_control_font(QlObject* control) {
  ControlFields* c = as_control_fields(control);
  Pane* pane = c->pane;
  if (!pane) return;
  if (c->text_font) string_assign(pane->font_name, c->text_font);
  if (c->text_size > 0) pane->font_size = c->text_size;
  pane->font_style = static_cast<uint8_t>((c->bold ? 1 : 0) | (c->italic ? 2 : 0) | (c->underline ? 4 : 0));
}

void settle_control_pane(QlObject* control) {
  ControlFields* c = as_control_fields(control);
  Pane* pane = c->pane;
  if (!pane) return;
  copy_control_font(control);
  if (!c->visible) pane->state_message(kStateHide);
  if (!c->enabled) pane->state_message(kStateDisable);
}

}  // namespace ql

using ql::as_control_fields;

QL_API int32_t ctlPosGetter(QlObject* control, int32_t which) {
  if (!control) return 0;
  return ql::rect_position(as_control_fields(control)->bounds, which);
}

QL_API void ctlPosSetter(QlObject* control, int32_t which, int32_t value) {
  if (!control) return;
  ql::ControlFields* c = as_control_fields(control);
  if (!ql::change_position(c->bounds, which, value)) return;
  if (c->pane) c->pane->set_bounds(c->bounds, true);
}

QL_API int32_t controlIndexGetter(QlObject* control, intptr_t) {
  return control ? ql::control_index(control) : 0;
}

QL_API bool controlVisibleGetter(QlObject* control, intptr_t) {
  return control && as_control_fields(control)->visible;
}

QL_API void ControlVisibleSetter(QlObject* control, intptr_t, bool visible) {
  if (!control) return;
  ql::ControlFields* c = as_control_fields(control);
  if (c->pane) c->pane->state_message(visible ? ql::kStateShow : ql::kStateHide);
  c->visible = visible;
}

QL_API bool controlEnabledGetter(QlObject* control, intptr_t) {
  return control && as_control_fields(control)->enabled;
}

QL_API void controlEnabledSetter(QlObject* control, intptr_t, bool enabled) {
  if (!control) return;
  ql::ControlFields* c = as_control_fields(control);
  if (c->pane) c->pane->state_message(enabled ? ql::kStateEnable : ql::kStateDisable);
  c->enabled = enabled;
}

QL_API void RuntimeControlRefresh(QlObject* control) {
  if (!control || !as_control_fields(control)->pane) return;
  ql::Pane* pane = as_control_fields(control)->pane;
  pane->invalidate();
  HWND hwnd = pane->hwnd() ? pane->hwnd() : (pane->window() ? pane->window()->hwnd() : nullptr);
  if (hwnd) UpdateWindow(hwnd);
}

QL_API void RuntimeControlRefreshRect(QlObject* control, int32_t x, int32_t y, int32_t width,
                                      int32_t height) {
  if (!control || !as_control_fields(control)->pane) return;
  ql::ControlFields* c = as_control_fields(control);
  ql::Pane* pane = c->pane;
  HWND hwnd = pane->hwnd() ? pane->hwnd() : (pane->window() ? pane->window()->hwnd() : nullptr);
  if (!hwnd) return;
  // In the pane's own window the control's top-left is the origin; in its window's, the control's corner.
  RECT r = {x, y, x + width, y + height};
  if (!pane->hwnd()) OffsetRect(&r, c->bounds.left, c->bounds.top);
  InvalidateRect(hwnd, &r, TRUE);
  UpdateWindow(hwnd);
}
