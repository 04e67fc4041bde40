// Entry points of the list's rows, cells, headings and hierarchy.
#include "objects/exceptions.h"
#include "quillet/controls.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "values/fatal.h"
#include "values/string.h"

namespace {

using ql::list_pane_of;
using ql::ListPane;

// A row index that names no row: the language's exception, raised with nothing changed.
[[noreturn]] void no_such_row() { ql::raise_new_exception("OutOfBoundsException"); }

ListPane* pane_with_row(QlObject* list, int32_t row) {
  ListPane* pane = list_pane_of(list);
  if (pane && !pane->rows().holds(row)) no_such_row();
  return pane;
}

QlString copy_of(QlString s) {
  ql::string_retain(s);
  return s;
}

}  // namespace

QL_API void RuntimeListAddRow(QlObject* list, QlString text) {
  if (ListPane* pane = list_pane_of(list)) pane->add_row(text, false);
}

QL_API void RuntimeListAddParent(QlObject* list, QlString text) {
  if (ListPane* pane = list_pane_of(list)) pane->add_row(text, true);
}

QL_API void RuntimeListInsertRow(QlObject* list, int32_t row, QlString text) {
  if (ListPane* pane = list_pane_of(list)) pane->insert_row(row, text);
}

QL_API void RuntimeRemoveRow(QlObject* list, int32_t row) {
  if (ListPane* pane = pane_with_row(list, row)) pane->remove_row(row);
}

QL_API void RuntimeListEmpty(QlObject* list) {
  if (ListPane* pane = list_pane_of(list)) pane->remove_all_rows();
}

QL_API QlString RuntimeGetRow(QlObject* list, int32_t row) {
  ListPane* pane = pane_with_row(list, row);
  return pane ? copy_of(ql::cell_text(pane->rows().row(row), 0)) : nullptr;
}

QL_API void RuntimeSetRow(QlObject* list, int32_t row, QlString text) {
  if (ListPane* pane = pane_with_row(list, row)) pane->set_cell(row, 0, text);
}

QL_API QlString listGetCell(QlObject* list, int32_t row, int32_t column) {
  ListPane* pane = pane_with_row(list, row);
  return pane ? copy_of(ql::cell_text(pane->rows().row(row), column)) : nullptr;
}

QL_API void listSetCell(QlObject* list, int32_t row, int32_t column, QlString text) {
  if (ListPane* pane = pane_with_row(list, row)) pane->set_cell(row, column, text);
}

QL_API int32_t listCountGetter(QlObject* list, intptr_t) {
  ListPane* pane = list_pane_of(list);
  if (!pane) {
    ql::report_assertion(ql::kConsistencyCheck, "runListbox", __LINE__);
    return 0;
  }
  return pane->rows().count();
}

QL_API int32_t listLastIndexGetter(QlObject* list, intptr_t) {
  return list ? ql::as_listbox_fields(list)->last_index : -1;
}

QL_API QlString listGetHeading(QlObject* list, int32_t column) {
  ListPane* pane = list_pane_of(list);
  return pane ? copy_of(pane->heading(column)) : nullptr;
}

QL_API void listSetHeading(QlObject* list, int32_t column, QlString text) {
  if (ListPane* pane = list_pane_of(list)) pane->set_heading(column, text);
}

QL_API bool listGetExpanded(QlObject* list, int32_t row) {
  ListPane* pane = pane_with_row(list, row);
  return pane && pane->rows().row(row)->expanded;
}

QL_API void listSetExpanded(QlObject* list, int32_t row, bool expanded) {
  if (ListPane* pane = pane_with_row(list, row)) pane->set_expanded(row, expanded);
}
