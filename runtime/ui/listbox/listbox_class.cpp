// The Listbox class: its layout, property table and events, and the pane made for it.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/controls.h"
#include "quillet/objects.h"
#include "quillet/strings.h"
#include "ui/events/control_events.h"
#include "ui/events/receivers.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/ui_classes.h"
#include "values/string.h"

namespace ql {

namespace {

void construct_listbox(QlObject* object, ClassObject*) {
  ListboxFields* f = as_listbox_fields(object);
  f->column_count = 1;
  f->last_index = -1;
  f->control.use_focus_ring = 1;
}

void destroy_listbox(QlObject* object, ClassObject*) {
  ListboxFields* f = as_listbox_fields(object);
  string_release(f->column_widths);
  string_release(f->initial_value);
  f->column_widths = f->initial_value = nullptr;
  delete f->listeners;
  delete f->action_receivers;
  f->listeners = f->action_receivers = nullptr;
}

void create_list_pane(QlObject* list) {
  ControlFields* c = as_control_fields(list);
  if (c->pane || !c->window_pane) return;
  auto* pane = new ListPane(list, c->window_pane, c->bounds);
  copy_control_font(list);
  if (!pane->build()) delete pane;
}

void initial_value_setter(QlObject* list, intptr_t, QlString text) {
  // Only a list that is not built yet takes its rows from it.
  if (!list_pane_of(list)) string_assign(as_listbox_fields(list)->initial_value, text);
}

void flag_setter(QlObject* list, intptr_t offset, bool on) {
  reinterpret_cast<uint8_t*>(list)[offset] = on;
  if (ListPane* pane = list_pane_of(list)) pane->layout_changed();
}

}  // namespace

ListPane* list_pane_of(QlObject* list) {
  return list ? static_cast<ListPane*>(as_control_fields(list)->pane) : nullptr;
}

void define_listbox_class() {
  ClassObject* cls = define_builtin_class("Listbox", builtin_class("RectControl"), sizeof(ListboxObject));
  cls->constructor = construct_listbox;
  cls->destructor = destroy_listbox;
  cls->properties.clear();
  using namespace listbox_events;
  declare_events(cls, {&kChange, &kDoubleClick, &kExpandRow, &kCollapseRow, &kSortColumn, &kCellAction,
                       &kEnableMenuItems});
  add_hook(cls, "CreatePane", code_of(create_list_pane));
  add_property(cls, "TextFont", &kStringType, code_of(listTextFontGetter), code_of(listTextFontSetter));
  add_property(cls, "TextSize", &kIntegerType, code_of(listTextSizeGetter), code_of(listTextSizeSetter));
  add_property(cls, "Bold", &kBooleanType, code_of(listBoldGetter), code_of(listBoldSetter));
  add_property(cls, "Italic", &kBooleanType, code_of(listItalicGetter), code_of(listItalicSetter));
  add_property(cls, "Underline", &kBooleanType, code_of(listUnderlineGetter), code_of(listUnderlineSetter));
  add_property(cls, "ColumnCount", &kIntegerType, code_of(listColumnCountGetter),
               code_of(listColumnCountSetter));
  add_property(cls, "ColumnWidths", &kStringType, code_of(listColumnWidthsGetter),
               code_of(listColumnWidthsSetter));
  add_property(cls, "HasHeading", &kBooleanType, code_of(int8Getter), code_of(flag_setter),
               offsetof(ListboxFields, has_heading));
  add_property(cls, "Hierarchical", &kBooleanType, code_of(int8Getter), code_of(flag_setter),
               offsetof(ListboxFields, hierarchical));
  add_property(cls, "GridLinesHorizontal", &kBooleanType, code_of(int8Getter), code_of(flag_setter),
               offsetof(ListboxFields, grid_lines));
  add_bool_field(cls, "EnableDrag", offsetof(ListboxFields, enable_drag));
  add_int32_field(cls, "SelectionType", offsetof(ListboxFields, selection_type));
  add_property(cls, "InitialValue", &kStringType, code_of(stringGetter), code_of(initial_value_setter),
               offsetof(ListboxFields, initial_value));
  add_property(cls, "ListIndex", &kIntegerType, code_of(listSelectionGetter), code_of(listSelectionSetter));
  add_property(cls, "ListCount", &kIntegerType, code_of(listCountGetter), 0);
  add_property(cls, "SelCount", &kIntegerType, code_of(listSelCountGetter), 0);
  add_property(cls, "LastIndex", &kIntegerType, code_of(listLastIndexGetter), 0);
  add_property(cls, "Text", &kStringType, code_of(listTextGetter), code_of(listTextSetter));
  add_method(cls, "AddRow", code_of(RuntimeListAddRow));
  add_method(cls, "AddFolder", code_of(RuntimeListAddParent));
  add_method(cls, "InsertRow", code_of(RuntimeListInsertRow));
  add_method(cls, "RemoveRow", code_of(RuntimeRemoveRow));
  add_method(cls, "DeleteAllRows", code_of(RuntimeListEmpty));
}

}  // namespace ql
