// Moving to an item: a random row of the pool is copied into the fields of its cells and shown.
#include "cloze.h"

using namespace loquat;

namespace loquat {

void load_row(QlObject* window, int32_t row) {
  QlObject* list = exercise_list(window);
  for (int32_t cell = 0; cell < kCellCount; ++cell) {
    Str text(listGetCell(list, row, cell));
    set_cell_text(window, static_cast<Cell>(cell), text.get());
  }
}

void empty_fields(QlObject* window) {
  for (int32_t cell = 0; cell < kCellCount; ++cell) set_cell_text(window, static_cast<Cell>(cell), nullptr);
}

}  // namespace loquat

extern "C" {

// Items are drawn with replacement: only a right answer without a fault takes an item out of the pool.
void cloze_go_to_the_next(QlObject* self) {
  cloze_clear_them_all(self);
  release(state(self).fault_flag);
  Str pool = field_text(self, QL_STR("NumbersStrip"));
  int32_t n = count_fields(pool.get(), QL_STR(" "));
  int32_t k = int_of(1 + rnd() * n);
  Str number = nth_field(pool.get(), QL_STR(" "), k);
  int32_t row = value_of(number.get());
  // An empty pool, or a number left from before rows were deleted in the editor, names no row: show nothing
  // rather than end the program on a row out of range.
  if (n == 0 || row < 0 || row >= listCountGetter(exercise_list(self), 0)) return;
  load_row(self, row);
  cloze_set_up_arrays(self);
  RuntimeControlRefresh(control(self, QL_STR("bigCanvas")));
  cloze_dis_gap_lines(self);
  cloze_display_strips(self);
  state(self).current_row = row;
}

void cloze_click_start(QlObject* self) {
  show(control(self, QL_STR("bigNoteField")), false);
  cloze_go_to_the_next(self);
  state(self).shown_count = 1;
}

}  // extern "C"
