// Entry points of the list's selection, its listeners and receivers.
#include "objects/exceptions.h"
#include "quillet/controls.h"
#include "ui/events/receivers.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "values/string.h"

using ql::list_pane_of;
using ql::ListPane;

QL_API int32_t listSelectionGetter(QlObject* list, intptr_t) {
  ListPane* pane = list_pane_of(list);
  return pane ? pane->selection().first() : -1;
}

QL_API void listSelectionSetter(QlObject* list, intptr_t, int32_t row) {
  if (ListPane* pane = list_pane_of(list)) pane->select_only(row, true);
}

QL_API int32_t listSelCountGetter(QlObject* list, intptr_t) {
  ListPane* pane = list_pane_of(list);
  return pane ? pane->selection().count() : 0;
}

QL_API bool listGetSelected(QlObject* list, int32_t row) {
  ListPane* pane = list_pane_of(list);
  if (!pane) return false;
  if (!pane->rows().holds(row)) ql::raise_new_exception("OutOfBoundsException");
  return pane->selection().selected(row);
}

QL_API void listSetSelected(QlObject* list, int32_t row, bool selected) {
  ListPane* pane = list_pane_of(list);
  if (!pane) return;
  if (!pane->rows().holds(row)) ql::raise_new_exception("OutOfBoundsException");
  pane->set_row_selected(row, selected);
}

QL_API QlString listTextGetter(QlObject* list, intptr_t) {
  ListPane* pane = list_pane_of(list);
  if (!pane || pane->selection().empty()) return nullptr;
  QlString text = ql::cell_text(pane->rows().row(pane->selection().first()), 0);
  ql::string_retain(text);
  return text;
}

QL_API void listTextSetter(QlObject* list, intptr_t, QlString text) {
  ListPane* pane = list_pane_of(list);
  if (pane && !pane->selection().empty()) pane->set_cell(pane->selection().first(), 0, text);
}

QL_API void listAddLSNR(QlObject* list, QlObject* listener) {
  if (list) ql::add_receiver(ql::as_listbox_fields(list)->listeners, listener);
}

QL_API void listRemoveLSNR(QlObject* list, QlObject* listener) {
  if (list) ql::remove_receiver(ql::as_listbox_fields(list)->listeners, listener);
}

QL_API void lbaAddActionNotificationReceiver(QlObject* list, QlObject* receiver) {
  if (list) ql::add_receiver(ql::as_listbox_fields(list)->action_receivers, receiver);
}

QL_API void lbaRemoveActionNotificationReceiver(QlObject* list, QlObject* receiver) {
  if (list) ql::remove_receiver(ql::as_listbox_fields(list)->action_receivers, receiver);
}
