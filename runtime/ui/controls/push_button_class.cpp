// The PushButton class, its pane hook and its entry points.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/controls.h"
#include "quillet/objects.h"
#include "ui/controls/push_button_pane.h"
#include "ui/events/control_events.h"
#include "ui/events/receivers.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/panes/pane_state.h"
#include "ui/ui_classes.h"
#include "ui/window/default_buttons.h"
#include "values/string.h"

namespace ql {

namespace {

void destroy_push_button(QlObject* object, ClassObject*) {
  PushButtonFields* f = as_push_button_fields(object);
  string_release(f->caption);
  f->caption = nullptr;
  delete f->receivers;
  f->receivers = nullptr;
}

void create_button_pane(QlObject* button) {
  ControlFields* c = as_control_fields(button);
  if (c->pane || !c->window_pane) return;
  auto* pane = new ButtonPane(button, c->window_pane, c->bounds);
  copy_control_font(button);
  if (!pane->build()) delete pane;
}

void marks_changed(QlObject* button) {
  ButtonPane* pane = button_pane_of(button);
  if (!pane) return;
  PushButtonFields* f = as_push_button_fields(button);
  pane->is_default = f->is_default;
  pane->is_cancel = f->is_cancel;
  update_default_buttons(pane->window(), focus_pane());
}

}  // namespace

ButtonPane* button_pane_of(QlObject* button) {
  return button ? static_cast<ButtonPane*>(as_control_fields(button)->pane) : nullptr;
}

void define_push_button_class() {
  ClassObject* cls =
      define_builtin_class("PushButton", builtin_class("RectControl"), sizeof(PushButtonObject));
  cls->destructor = destroy_push_button;
  cls->properties.clear();
  declare_events(cls, {&push_button_events::kAction});
  add_hook(cls, "CreatePane", code_of(create_button_pane));
  add_property(cls, "Caption", &kStringType, code_of(pushButtonTitleGetter), code_of(pushButtonTitleSetter));
  add_property(cls, "Default", &kBooleanType, code_of(int8Getter), code_of(pushButtonDefaultSetter),
               offsetof(PushButtonFields, is_default));
  add_property(cls, "Cancel", &kBooleanType, code_of(int8Getter), code_of(pushButtonCancelSetter),
               offsetof(PushButtonFields, is_cancel));
  add_method(cls, "Push", code_of(pushButtonPush));
}

}  // namespace ql

using ql::as_push_button_fields;

QL_API QlString pushButtonTitleGetter(QlObject* button, intptr_t) {
  if (!button) return nullptr;
  QlString caption = as_push_button_fields(button)->caption;
  ql::string_retain(caption);
  return caption;
}

QL_API void pushButtonTitleSetter(QlObject* button, intptr_t, QlString caption) {
  if (!button) return;
  ql::string_assign(as_push_button_fields(button)->caption, caption);
  if (ql::ButtonPane* pane = ql::button_pane_of(button)) pane->set_caption(caption);
}

QL_API void pushButtonPush(QlObject* button) {
  ql::ButtonPane* pane = ql::button_pane_of(button);
  if (pane && pane->enabled()) pane->click();
}

QL_API void pushButtonDefaultSetter(QlObject* button, intptr_t, bool is_default) {
  if (!button) return;
  as_push_button_fields(button)->is_default = is_default;
  ql::marks_changed(button);
}

QL_API void pushButtonCancelSetter(QlObject* button, intptr_t, bool is_cancel) {
  if (!button) return;
  as_push_button_fields(button)->is_cancel = is_cancel;
  ql::marks_changed(button);
}

QL_API void pbAddActionNotificationReceiver(QlObject* button, QlObject* receiver) {
  if (button) ql::add_receiver(as_push_button_fields(button)->receivers, receiver);
}

QL_API void pbRemoveActionNotificationReceiver(QlObject* button, QlObject* receiver) {
  if (button) ql::remove_receiver(as_push_button_fields(button)->receivers, receiver);
}
