// Entry points of the list's cell styles, types, check boxes, alignments and row pictures.
#include "objects/exceptions.h"
#include "objects/objects.h"
#include "quillet/controls.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"

using ql::list_pane_of;
using ql::ListCell;
using ql::ListPane;

namespace {

ListPane* pane_with_row(QlObject* list, int32_t row) {
  ListPane* pane = list_pane_of(list);
  if (pane && !pane->rows().holds(row)) ql::raise_new_exception("OutOfBoundsException");
  return pane;
}

// The cell as it stands, or null (no pane, or no cell yet: every value then reads as its default).
ListCell* existing_cell(QlObject* list, int32_t row, int32_t column) {
  ListPane* pane = pane_with_row(list, row);
  return pane ? ql::find_cell(pane->rows().row(row), column) : nullptr;
}

template <typename Change>
void change_cell(QlObject* list, int32_t row, int32_t column, Change change) {
  ListPane* pane = pane_with_row(list, row);
  if (!pane) return;
  if (ListCell* cell = pane->cell_to_change(row, column)) {
    change(*cell);
    pane->row_changed(row);
  }
}

bool style_of(QlObject* list, int32_t row, int32_t column, uint8_t bit) {
  ListCell* cell = existing_cell(list, row, column);
  return cell && (cell->style & bit);
}

void set_style(QlObject* list, int32_t row, int32_t column, uint8_t bit, bool on) {
  change_cell(list, row, column, [&](ListCell& cell) {
    cell.style = static_cast<uint8_t>(on ? cell.style | bit : cell.style & ~bit);
  });
}

bool column_ok(int32_t column) { return column >= 0 && column < ql::kListHeadings; }

template <typename Change>
void change_column(QlObject* list, int32_t column, Change change) {
  ListPane* pane = list_pane_of(list);
  if (!pane || !column_ok(column)) return;
  change(*pane);
  pane->redraw();
}

}  // namespace

QL_API bool listGetCellBold(QlObject* list, int32_t row, int32_t column) {
  return style_of(list, row, column, 1);
}
QL_API bool listGetCellItalic(QlObject* list, int32_t row, int32_t column) {
  return style_of(list, row, column, 2);
}
QL_API bool listGetCellUnderline(QlObject* list, int32_t row, int32_t column) {
  return style_of(list, row, column, 4);
}
QL_API void listSetCellBold(QlObject* list, int32_t row, int32_t column, bool on) {
  set_style(list, row, column, 1, on);
}
QL_API void listSetCellItalic(QlObject* list, int32_t row, int32_t column, bool on) {
  set_style(list, row, column, 2, on);
}
QL_API void listSetCellUnderline(QlObject* list, int32_t row, int32_t column, bool on) {
  set_style(list, row, column, 4, on);
}

QL_API int32_t listCellTypeGetter(QlObject* list, int32_t row, int32_t column) {
  ListCell* cell = existing_cell(list, row, column);
  return cell ? cell->type : 0;
}

QL_API void listCellTypeSetter(QlObject* list, int32_t row, int32_t column, int32_t type) {
  change_cell(list, row, column, [&](ListCell& cell) { cell.type = static_cast<uint8_t>(type); });
}

QL_API int32_t listColumnTypeGetter(QlObject* list, int32_t column) {
  ListPane* pane = list_pane_of(list);
  return pane && column_ok(column) ? pane->column_type[column] : 0;
}

QL_API void listColumnTypeSetter(QlObject* list, int32_t column, int32_t type) {
  change_column(list, column, [&](ListPane& pane) { pane.column_type[column] = static_cast<uint8_t>(type); });
}

QL_API bool listCellCheckGetter(QlObject* list, int32_t row, int32_t column) {
  ListCell* cell = existing_cell(list, row, column);
  return cell && cell->check;
}

QL_API void listCellCheckSetter(QlObject* list, int32_t row, int32_t column, bool checked) {
  change_cell(list, row, column, [&](ListCell& cell) { cell.check = checked; });
}

QL_API int32_t listCellAlignmentGetter(QlObject* list, int32_t row, int32_t column) {
  ListCell* cell = existing_cell(list, row, column);
  return cell ? cell->alignment : 0;
}

QL_API void listCellAlignmentSetter(QlObject* list, int32_t row, int32_t column, int32_t alignment) {
  change_cell(list, row, column, [&](ListCell& cell) { cell.alignment = static_cast<uint8_t>(alignment); });
}

QL_API int32_t listColumnAlignmentGetter(QlObject* list, int32_t column) {
  ListPane* pane = list_pane_of(list);
  return pane && column_ok(column) ? pane->column_alignment[column] : 0;
}

QL_API void listColumnAlignmentSetter(QlObject* list, int32_t column, int32_t alignment) {
  change_column(list, column,
                [&](ListPane& pane) { pane.column_alignment[column] = static_cast<uint8_t>(alignment); });
}

QL_API int32_t listCellAlignmentOffsetGetter(QlObject* list, int32_t row, int32_t column) {
  ListCell* cell = existing_cell(list, row, column);
  return cell ? cell->offset : 0;
}

QL_API void listCellAlignmentOffsetSetter(QlObject* list, int32_t row, int32_t column, int32_t offset) {
  change_cell(list, row, column, [&](ListCell& cell) { cell.offset = static_cast<int16_t>(offset); });
}

QL_API int32_t listColumnAlignmentOffsetGetter(QlObject* list, int32_t column) {
  ListPane* pane = list_pane_of(list);
  return pane && column_ok(column) ? pane->column_offset[column] : 0;
}

QL_API void listColumnAlignmentOffsetSetter(QlObject* list, int32_t column, int32_t offset) {
  change_column(list, column,
                [&](ListPane& pane) { pane.column_offset[column] = static_cast<int16_t>(offset); });
}

QL_API QlObject* listGetRowPicture(QlObject* list, int32_t row) {
  ListPane* pane = pane_with_row(list, row);
  if (!pane) return nullptr;
  QlObject* picture = pane->rows().row(row)->picture;
  ql::retain_object(picture);
  return picture;
}

QL_API void listSetRowPicture(QlObject* list, int32_t row, QlObject* picture) {
  ListPane* pane = pane_with_row(list, row);
  if (!pane) return;
  ql::ListRow* r = pane->rows().row(row);
  ql::retain_object(picture);
  ql::release_object(r->picture);
  r->picture = picture;
  pane->row_changed(row);
}
