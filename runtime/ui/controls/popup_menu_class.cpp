// The PopupMenu class, its pane hook and its entry points.
#include "objects/class_registry.h"
#include "objects/exceptions.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/controls.h"
#include "quillet/objects.h"
#include "quillet/strings.h"
#include "ui/controls/popup_menu_pane.h"
#include "ui/events/control_events.h"
#include "ui/events/receivers.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/ui_classes.h"
#include "values/fatal.h"
#include "values/string.h"

namespace ql {

namespace {

void destroy_popup_menu(QlObject* object, ClassObject*) {
  PopupMenuFields* f = as_popup_menu_fields(object);
  string_release(f->initial_value);
  f->initial_value = nullptr;
  delete f->receivers;
  f->receivers = nullptr;
}

void create_popup_pane(QlObject* popup) {
  ControlFields* c = as_control_fields(popup);
  if (c->pane || !c->window_pane) return;
  auto* pane = new PopupPane(popup, c->window_pane, c->bounds);
  copy_control_font(popup);
  if (!pane->build()) delete pane;
}

void initial_value_setter(QlObject* popup, intptr_t, QlString rows) {
  if (!popup_pane_of(popup)) string_assign(as_popup_menu_fields(popup)->initial_value, rows);
}

}  // namespace

PopupPane* popup_pane_of(QlObject* popup) {
  return popup ? static_cast<PopupPane*>(as_control_fields(popup)->pane) : nullptr;
}

void define_popup_menu_class() {
  ClassObject* cls = define_builtin_class("PopupMenu", builtin_class("RectControl"), sizeof(PopupMenuObject));
  cls->destructor = destroy_popup_menu;
  cls->properties.clear();
  declare_events(cls, {&popup_menu_events::kChange});
  add_hook(cls, "CreatePane", code_of(create_popup_pane));
  add_property(cls, "InitialValue", &kStringType, code_of(stringGetter), code_of(initial_value_setter),
               offsetof(PopupMenuFields, initial_value));
  add_property(cls, "ListIndex", &kIntegerType, code_of(RuntimePopupSelectionGetter),
               code_of(RuntimePopupSelectionSetter));
  add_property(cls, "ListCount", &kIntegerType, code_of(RuntimePopupCountGetter), 0);
  add_property(cls, "Text", &kStringType, code_of(popupTextGetter), 0);
  add_method(cls, "AddRow", code_of(RuntimePopupAddRow));
  add_method(cls, "AddSeparator", code_of(RuntimePopupAddSeparator));
  add_method(cls, "InsertRow", code_of(RuntimePopupInsertRow));
  add_method(cls, "RemoveRow", code_of(RuntimePopupRemoveRow));
  add_method(cls, "DeleteAllRows", code_of(RuntimePopupEmpty));
}

}  // namespace ql

using ql::popup_pane_of;
using ql::PopupPane;

namespace {

PopupPane* pane_with_row(QlObject* popup, int32_t row) {
  PopupPane* pane = popup_pane_of(popup);
  if (pane && !pane->holds(row)) ql::raise_new_exception("OutOfBoundsException");
  return pane;
}

}  // namespace

QL_API QlString popupTextGetter(QlObject* popup, intptr_t) {
  PopupPane* pane = popup_pane_of(popup);
  return pane ? pane->row_text(pane->selection()) : nullptr;
}

QL_API QlString RuntimePopupGetString(QlObject* popup) { return popupTextGetter(popup, 0); }

QL_API void RuntimePopupAddRow(QlObject* popup, QlString text) {
  if (PopupPane* pane = popup_pane_of(popup)) pane->add(text);
}

QL_API void RuntimePopupAddSeparator(QlObject* popup) {
  if (PopupPane* pane = popup_pane_of(popup)) {
    QlString dash = ql::string_from_cstr("-");
    pane->add(dash);
    ql::string_release(dash);
  }
}

QL_API void RuntimePopupInsertRow(QlObject* popup, int32_t row, QlString text) {
  PopupPane* pane = popup_pane_of(popup);
  if (!pane) return;
  // The combo box's own rule: -1 appends, a row from 0 to the count inserts there, any other inserts
  // nothing.
  pane->insert(row, text);
}

QL_API void RuntimePopupRemoveRow(QlObject* popup, int32_t row) {
  if (PopupPane* pane = pane_with_row(popup, row)) pane->remove(row);
}

QL_API void RuntimePopupEmpty(QlObject* popup) {
  if (PopupPane* pane = popup_pane_of(popup)) pane->remove_all();
}

QL_API int32_t RuntimePopupCountGetter(QlObject* popup, intptr_t) {
  PopupPane* pane = popup_pane_of(popup);
  if (!pane) {
    ql::report_assertion(ql::kConsistencyCheck, "runpopup", __LINE__);
    return 0;
  }
  return pane->count();
}

QL_API int32_t RuntimePopupSelectionGetter(QlObject* popup, intptr_t) {
  PopupPane* pane = popup_pane_of(popup);
  return pane ? pane->selection() : -1;
}

QL_API void RuntimePopupSelectionSetter(QlObject* popup, intptr_t, int32_t row) {
  if (PopupPane* pane = popup_pane_of(popup)) pane->select(row);
}

QL_API QlString RuntimePopupGetRow(QlObject* popup, int32_t row) {
  PopupPane* pane = pane_with_row(popup, row);
  return pane ? pane->row_text(row) : nullptr;
}

QL_API void RuntimePopupSetRow(QlObject* popup, int32_t row, QlString text) {
  if (PopupPane* pane = pane_with_row(popup, row)) pane->set_row_text(row, text);
}

QL_API QlObject* RuntimePopupGetRowTag(QlObject* popup, int32_t row) {
  PopupPane* pane = pane_with_row(popup, row);
  if (!pane) return nullptr;
  QlObject* tag = pane->tag(row);
  ql::retain_object(tag);
  return tag;
}

QL_API void RuntimePopupSetRowTag(QlObject* popup, int32_t row, QlObject* tag) {
  if (PopupPane* pane = pane_with_row(popup, row)) pane->set_tag(row, tag);
}

QL_API void popupAddActionNotificationReceiver(QlObject* popup, QlObject* receiver) {
  if (popup) ql::add_receiver(ql::as_popup_menu_fields(popup)->receivers, receiver);
}

QL_API void popupRemoveActionNotificationReceiver(QlObject* popup, QlObject* receiver) {
  if (popup) ql::remove_receiver(ql::as_popup_menu_fields(popup)->receivers, receiver);
}
