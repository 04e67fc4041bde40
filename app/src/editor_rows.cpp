// The exercise editor's commands on the table's rows: preview, store, renumber, delete, add, insert,
// recount and the text dump.
#include "editor.h"

using namespace loquat;

namespace loquat {

// The credits picture would cover the preview of a row chosen before any lesson.
void preview_row(QlObject* window, int32_t row, bool keep_notes) {
  hide_credits(window);
  if (!keep_notes) {
    show(control(window, QL_STR("bigNoteField")), false);
    show(control(window, QL_STR("NoteField")), false);
  }
  cloze_clear_them_all(window);
  empty_fields(window);
  load_row(window, row);
  cloze_set_up_arrays(window);
  cloze_dis_gap_lines(window);
  cloze_display_strips(window);
}

Str single_line(QlString text) {
  Str tab = chr(9), cr = chr(13), lf = chr(10);
  Str pair = cat(cr.get(), lf.get());
  Str result = replace_all(text, pair.get(), QL_STR(" "));
  result = replace_all(result.get(), cr.get(), QL_STR(" "));
  result = replace_all(result.get(), lf.get(), QL_STR(" "));
  return replace_all(result.get(), tab.get(), QL_STR(" "));
}

Str table_line(QlObject* list, int32_t row, bool single_line_cells) {
  Str tab = chr(9);
  Str line;
  for (int32_t cell = 0; cell < kCellCount; ++cell) {
    Str text(listGetCell(list, row, cell));
    if (single_line_cells) text = single_line(text.get());
    line = cat(line.get(), text.get(), tab.get());
  }
  Str cr = chr(13);
  return cat(line.get(), cr.get());
}

}  // namespace loquat

namespace {

// The commands that work on the selected row do nothing while none is selected.
int32_t selected_row(QlObject* window) { return listSelectionGetter(exercise_list(window), 0); }

}  // namespace

extern "C" {

void list_double_click(QlObject* self) {
  Obj window(open_cloze());
  int32_t row = listSelectionGetter(self, 0);
  if (!window || row < 0) return;
  preview_row(window.get(), row, false);
}

// MakeChangeListbox: the fields go into the selected row, which is then loaded back, previewed and checked.
// A problem is told, and the row stays stored: the author decides.
void store_row_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  int32_t row = selected_row(window.get());
  if (row < 0) return;
  QlObject* list = exercise_list(window.get());
  for (int32_t cell = 0; cell < kCellCount; ++cell) {
    Str text = cell_text(window.get(), static_cast<Cell>(cell));
    Str stored = single_line(text.get());
    listSetCell(list, row, cell, stored.get());
  }
  table_changed(window.get());
  preview_row(window.get(), row, true);
  check_stored_row(window.get(), row);
}

void renumber_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  QlObject* list = exercise_list(window.get());
  int32_t rows = listCountGetter(list, 0);
  for (int32_t row = 0; row < rows; ++row) {
    RuntimeBackgroundTask();
    Str number = number_text(row);
    listSetCell(list, row, 0, number.get());
  }
  table_changed(window.get());
}

void delete_all_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  RuntimeListEmpty(exercise_list(window.get()));
  table_changed(window.get());
}

void delete_row_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  int32_t row = selected_row(window.get());
  if (row < 0) return;
  RuntimeRemoveRow(exercise_list(window.get()), row);
  table_changed(window.get());
}

void add_row_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  RuntimeListAddRow(exercise_list(window.get()), QL_STR(" "));
  table_changed(window.get());
}

void insert_row_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  int32_t row = selected_row(window.get());
  if (row < 0) return;
  RuntimeListInsertRow(exercise_list(window.get()), row, nullptr);
  table_changed(window.get());
}

// SortCol2: cell 5 gets the number of answers (a proverb's word count) and cell 0 a random number from 1 to
// 10000.
void recount_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  QlObject* list = exercise_list(window.get());
  int32_t rows = listCountGetter(list, 0);
  for (int32_t row = 0; row < rows; ++row) {
    RuntimeBackgroundTask();
    Str answers(listGetCell(list, row, 3));
    Str words = number_text(count_fields(answers.get(), QL_STR(",")));
    listSetCell(list, row, 5, words.get());
    Str random = number_text(int_of(1 + rnd() * 10000));
    listSetCell(list, row, 0, random.get());
  }
  table_changed(window.get());
}

// LBtoDB6: the whole table as text, in the form of an exercise file, into Fdb3.
void dump_table_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  QlObject* list = exercise_list(window.get());
  Str text;
  int32_t rows = listCountGetter(list, 0);
  for (int32_t row = 0; row < rows; ++row) {
    RuntimeBackgroundTask();
    Str line = table_line(list, row, false);
    text = cat(text.get(), line.get());
  }
  set_cell_text(window.get(), kPattern, text.get());
}

}  // extern "C"
