// Entry points of the list's columns and font.
#include "quillet/controls.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "ui/panes/control_pane_settings.h"
#include "values/string.h"

using ql::list_pane_of;
using ql::ListPane;

namespace {

void font_changed(QlObject* list) {
  ql::copy_control_font(list);
  if (ListPane* pane = list_pane_of(list)) pane->font_changed();
}

}  // namespace

QL_API int32_t listColumnCountGetter(QlObject* list, intptr_t) {
  return list ? ql::as_listbox_fields(list)->column_count : 0;
}

QL_API void listColumnCountSetter(QlObject* list, intptr_t, int32_t count) {
  if (!list) return;
  ql::as_listbox_fields(list)->column_count = ql::clamp_column_count(count);
  if (ListPane* pane = list_pane_of(list)) pane->columns_changed();
}

QL_API QlString listColumnWidthsGetter(QlObject* list, intptr_t) {
  if (!list) return nullptr;
  QlString widths = ql::as_listbox_fields(list)->column_widths;
  ql::string_retain(widths);
  return widths;
}

QL_API void listColumnWidthsSetter(QlObject* list, intptr_t, QlString widths) {
  if (!list) return;
  ql::string_assign(ql::as_listbox_fields(list)->column_widths, widths);
  if (ListPane* pane = list_pane_of(list)) pane->columns_changed();
}

QL_API QlString listTextFontGetter(QlObject* list, intptr_t) {
  if (!list) return nullptr;
  QlString font = ql::as_control_fields(list)->text_font;
  ql::string_retain(font);
  return font;
}

QL_API void listTextFontSetter(QlObject* list, intptr_t, QlString font) {
  if (!list) return;
  ql::string_assign(ql::as_control_fields(list)->text_font, font);
  font_changed(list);
}

QL_API int32_t listTextSizeGetter(QlObject* list, intptr_t) {
  return list ? ql::as_control_fields(list)->text_size : 0;
}

QL_API void listTextSizeSetter(QlObject* list, intptr_t, int32_t size) {
  if (!list) return;
  ql::as_control_fields(list)->text_size = size;
  font_changed(list);
}

QL_API bool listBoldGetter(QlObject* list, intptr_t) { return list && ql::as_control_fields(list)->bold; }
QL_API bool listItalicGetter(QlObject* list, intptr_t) { return list && ql::as_control_fields(list)->italic; }
QL_API bool listUnderlineGetter(QlObject* list, intptr_t) {
  return list && ql::as_control_fields(list)->underline;
}

QL_API void listBoldSetter(QlObject* list, intptr_t, bool bold) {
  if (!list) return;
  ql::as_control_fields(list)->bold = bold;
  font_changed(list);
}

QL_API void listItalicSetter(QlObject* list, intptr_t, bool italic) {
  if (!list) return;
  ql::as_control_fields(list)->italic = italic;
  font_changed(list);
}

QL_API void listUnderlineSetter(QlObject* list, intptr_t, bool underline) {
  if (!list) return;
  ql::as_control_fields(list)->underline = underline;
  font_changed(list);
}
