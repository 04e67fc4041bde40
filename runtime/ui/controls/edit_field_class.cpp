// The EditField class, its pane hook and its entry points.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/controls.h"
#include "quillet/objects.h"
#include "ui/controls/edit_field_pane.h"
#include "ui/events/control_events.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/ui_classes.h"
#include "values/string.h"

namespace ql {

namespace {

void construct_edit_field(QlObject* object, ClassObject*) {
  EditFieldFields* f = as_edit_field_fields(object);
  f->back_color = 0xFFFFFF;
  f->border = 1;
}

void destroy_edit_field(QlObject* object, ClassObject*) {
  EditFieldFields* f = as_edit_field_fields(object);
  string_release(f->text);
  f->text = nullptr;
}

void create_edit_pane(QlObject* field) {
  ControlFields* c = as_control_fields(field);
  if (c->pane || !c->window_pane) return;
  auto* pane = new EditPane(field, c->window_pane, c->bounds);
  copy_control_font(field);
  if (!pane->build()) delete pane;
}

void read_only_setter(QlObject* field, intptr_t, bool read_only) {
  as_edit_field_fields(field)->read_only = read_only;
  if (EditPane* pane = edit_pane_of(field)) pane->set_read_only(read_only);
}

void limit_setter(QlObject* field, intptr_t, int32_t limit) {
  as_edit_field_fields(field)->limit_text = limit;
  if (EditPane* pane = edit_pane_of(field)) pane->set_limit(limit);
}

void password_setter(QlObject* field, intptr_t, bool password) {
  as_edit_field_fields(field)->password = password;
  if (EditPane* pane = edit_pane_of(field)) pane->set_password(password);
}

}  // namespace

EditPane* edit_pane_of(QlObject* field) {
  return field ? static_cast<EditPane*>(as_control_fields(field)->pane) : nullptr;
}

void define_edit_field_class() {
  ClassObject* cls = define_builtin_class("EditField", builtin_class("RectControl"), sizeof(EditFieldObject));
  cls->constructor = construct_edit_field;
  cls->destructor = destroy_edit_field;
  cls->properties.clear();
  declare_events(cls, {&edit_field_events::kTextChange, &edit_field_events::kSelChange});
  add_hook(cls, "CreatePane", code_of(create_edit_pane));
  // The kind of control is chosen when the pane is made, from these.
  add_bool_field(cls, "Border", offsetof(EditFieldFields, border));
  add_bool_field(cls, "MultiLine", offsetof(EditFieldFields, multi_line));
  add_bool_field(cls, "ScrollBar", offsetof(EditFieldFields, scroll_bar));
  add_bool_field(cls, "Styled", offsetof(EditFieldFields, styled));
  add_bool_field(cls, "AcceptTabs", offsetof(EditFieldFields, accept_tabs));
  add_property(cls, "Password", &kBooleanType, code_of(int8Getter), code_of(password_setter),
               offsetof(EditFieldFields, password));
  add_property(cls, "ReadOnly", &kBooleanType, code_of(int8Getter), code_of(read_only_setter),
               offsetof(EditFieldFields, read_only));
  add_property(cls, "LimitText", &kIntegerType, code_of(int32Getter), code_of(limit_setter),
               offsetof(EditFieldFields, limit_text));
  add_property(cls, "TextColor", &kColorType, code_of(int32Getter), code_of(editTextColorSetter),
               offsetof(EditFieldFields, text_color));
  add_property(cls, "BackColor", &kColorType, code_of(int32Getter), code_of(editBackColorSetter),
               offsetof(EditFieldFields, back_color));
  add_property(cls, "Text", &kStringType, code_of(editTextGetter), code_of(editTextSetter));
}

}  // namespace ql

using ql::as_edit_field_fields;

QL_API QlString editTextGetter(QlObject* field, intptr_t) {
  if (!field) return nullptr;
  if (ql::EditPane* pane = ql::edit_pane_of(field)) return pane->text();
  QlString text = as_edit_field_fields(field)->text;
  ql::string_retain(text);
  return text;
}

QL_API void editTextSetter(QlObject* field, intptr_t, QlString text) {
  if (!field) return;
  if (ql::EditPane* pane = ql::edit_pane_of(field)) pane->set_text(text);
  ql::string_assign(as_edit_field_fields(field)->text, text);
}

QL_API void editBackColorSetter(QlObject* field, intptr_t, int32_t colour) {
  if (!field) return;
  as_edit_field_fields(field)->back_color = static_cast<uint32_t>(colour);
  if (ql::EditPane* pane = ql::edit_pane_of(field)) pane->set_back_color(static_cast<uint32_t>(colour));
}

QL_API void editTextColorSetter(QlObject* field, intptr_t, int32_t colour) {
  if (!field) return;
  as_edit_field_fields(field)->text_color = static_cast<uint32_t>(colour);
  if (ql::EditPane* pane = ql::edit_pane_of(field)) pane->set_text_color(static_cast<uint32_t>(colour));
}
