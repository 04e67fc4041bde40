// Checking answers: a right one fills the next gap and may finish the item, a wrong one marks it.
#include "cloze.h"

using namespace loquat;

namespace {

// The first open gap, 0 when none is left.
int32_t first_gap(QlObject* window) {
  for (int32_t k = 1; k <= kSegmentLimit; ++k) {
    Str text = segment_text(window, k);
    if (same(text.get(), QL_STR("_"))) return k;
  }
  return 0;
}

// The answers still expected lose the one just given.
void remove_answer(QlObject* window, QlString word) {
  Str expected = cell_text(window, kAnswers);
  Str rest;
  if (contains(expected.get(), QL_STR(","))) {
    Str with_comma = cat(word, QL_STR(","));
    rest = replace_first(expected.get(), with_comma.get(), nullptr);
  } else {
    rest = replace_first(expected.get(), word, nullptr);
  }
  set_cell_text(window, kAnswers, rest.get());
}

void capitalise_field(QlObject* window, int32_t k, int32_t field) {
  Str text = segment_text(window, k);
  Str word = nth_field(text.get(), QL_STR(" "), field);
  Str capital(StringTitleCase(word.get()));
  Str changed = replace_first(text.get(), word.get(), capital.get());
  set_segment_text(window, k, changed.get());
}

// The sentence starts with a capital: its first word, or the word after a leading "*" (no article).
void capitalise_start(QlObject* window) {
  capitalise_field(window, 1, 1);
  Str first = segment_text(window, 1);
  if (same(first.get(), QL_STR("*"))) capitalise_field(window, 2, 2);
}

// A right answer without a fault takes the item out of the pool.
void remove_from_pool(QlObject* window, QlString number) {
  Str pool = field_text(window, QL_STR("NumbersStrip"));
  Str padded = cat(QL_STR(" "), pool.get(), QL_STR(" "));
  Str entry = cat(QL_STR(" "), number, QL_STR(" "));
  Str without = replace_first(padded.get(), entry.get(), QL_STR(" "));
  Str trimmed = trim(without.get());
  set_field_text(window, QL_STR("NumbersStrip"), trimmed.get());
}

int32_t pool_size(QlObject* window) {
  Str pool = field_text(window, QL_STR("NumbersStrip"));
  return count_fields(pool.get(), QL_STR(" "));
}

void finish_item(QlObject* window, QlString number, bool listening) {
  Cloze& cloze = state(window);
  if (is_empty(cloze.fault_flag)) remove_from_pool(window, number);
  cloze_clear_them_all(window);
  Obj first = box(window, 1);
  place_first_box(window, first.get(), QL_STR("end"));
  if (pool_size(window) == 0) {
    set_box_caption(first.get(), QL_STR("end"));
    set_bound(
        first.get(), kQlWidth,
        cloze_string_width(window, QL_STR("next"), cloze.strip_font, cloze.strip_size) + cloze.strip_size);
    show(first.get(), true);
  } else {
    set_box_caption(first.get(), QL_STR("next"));
  }
  Str explanation = cell_text(window, kExplanation);
  // A listening test offers "?" to hear the word again; the boxes were just parked, so it is placed anew.
  if (StringDBCSLen(explanation.get()) > 5 || listening) cloze_make_question_mark(window);
}

void update_status(QlObject* window) {
  Cloze& cloze = state(window);
  int32_t left = pool_size(window);
  Str status;
  if (left == 1) {
    status = Str::borrow(QL_STR("The last one"));
  } else if (left == 0 && cloze.item_count == cloze.shown_count) {
    status = Str::borrow(QL_STR("Perfect Score"));
  } else if (left == 0) {
    Str items = number_text(cloze.item_count);
    Str correct = number_text(2 * cloze.item_count - cloze.shown_count);
    Str first = cat(items.get(), QL_STR(" items, "), correct.get());
    status = cat(first.get(), QL_STR(" correct."));
  } else {
    Str count = number_text(left);
    status = cat(count.get(), QL_STR(" items left"));
  }
  set_top_line(window, 2, status.get());
}

}  // namespace

extern "C" {

void cloze_click_good(QlObject* self, QlString word) {
  Str number = number_text(state(self).current_row);
  Str code = cell_text(self, kSet);
  bool listening = starts_with(code.get(), QL_STR("L"));
  if (listening) cloze_make_question_mark(self);

  int32_t gap = first_gap(self);
  if (gap) set_segment_text(self, gap, word);
  remove_answer(self, word);
  capitalise_start(self);
  // A filled gap of a proverb reads as part of the sentence; elsewhere it stays red.
  if (gap && starts_with(code.get(), QL_STR("p"))) set_segment_colour(self, gap, QL_STR("ink"));

  Str expected = cell_text(self, kAnswers);
  Str rest = trim(expected.get());
  if (is_empty(rest.get())) finish_item(self, number.get(), listening);
  update_status(self);

  cloze_dis_gap_lines(self);
  for (int32_t i = 0; i <= 15; ++i) {
    Obj b = box(self, i);
    if (b) show(b.get(), true);
  }
}

void cloze_click_bad(QlObject* self) {
  store(state(self).fault_flag, QL_STR("Fault"));
  // The menu item's text is the only store of the click setting.
  Obj sound_item(RuntimeMenuReference(QL_STR("FileSound")));
  if (!sound_item) return;
  Str setting(menuItemTextGetter(sound_item.get(), 0));
  if (same(setting.get(), QL_STR("Clicking Off"))) play_resource(2);
}

}  // extern "C"
