// Opening a lesson from the menus: the set's pool of rows, its title and its first box.
#include "cloze.h"
#include "lesson_table.h"

using namespace loquat;

namespace loquat {

void hide_credits(QlObject* window) {
  QlObject* credits = control(window, QL_STR("CreditsCanvas"));
  if (!is_shown(credits)) return;
  show(credits, false);
  formRefresh(window);
}

}  // namespace loquat

namespace {

// The row numbers of the set, separated by single spaces.
Str pool_of(QlObject* window, QlString prefix) {
  QlObject* list = exercise_list(window);
  Str pool;
  int32_t rows = listCountGetter(list, 0);
  for (int32_t row = 0; row < rows; ++row) {
    RuntimeBackgroundTask();
    Str code(listGetCell(list, row, 1));
    if (!starts_with(code.get(), prefix)) continue;
    Str number = number_text(row);
    pool = cat(pool.get(), QL_STR(" "), number.get());
  }
  return trim(pool.get());
}

}  // namespace

extern "C" void cloze_menus_select_main(QlObject* self, int32_t selection) {
  Cloze& cloze = state(self);
  set_cell_text(self, kSet, nullptr);
  hide_credits(self);
  cloze_clear_them_all(self);
  show(control(self, QL_STR("bigNoteField")), false);
  show(control(self, QL_STR("NoteField")), false);
  formRefresh(self);
  set_cell_text(self, kNumber, nullptr);

  Obj g = canvas_graphics(self);
  fill_canvas(self, g.get(), cloze.back_colour);
  graphicsTextFontSetter(g.get(), 0, cloze.text_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.text_size);

  set_field_text(self, QL_STR("NumbersStrip"), nullptr);
  set_top_line(self, 1, nullptr);
  set_top_line(self, 2, nullptr);
  release(cloze.fault_flag);

  const Lesson* lesson = find_lesson(selection, false);
  if (!lesson) return;
  set_top_line(self, 1, lesson->title);
  if (lesson->introduction) {
    set_cell_text(self, kExplanation, lesson->introduction);
    cloze_show_big_notes(self);
  } else {
    cloze_show_logo(self);
  }

  Str pool = pool_of(self, lesson->prefix);
  set_field_text(self, QL_STR("NumbersStrip"), pool.get());
  int32_t items = count_fields(pool.get(), QL_STR(" "));
  Str count = number_text(items);
  Str status = cat(count.get(), QL_STR(" items"));
  set_top_line(self, 2, status.get());
  cloze.item_count = items;

  Obj first = box(self, 1);
  place_first_box(self, first.get(), lesson->first_box);
  set_box_caption(first.get(), lesson->first_box);
  show(first.get(), true);
  cloze_display_top_line(self);
}
