// Laying out the boxes: one per choice at explicit positions or in rows, parking them out of sight, and the
// "?" box.
#include "cloze.h"

using namespace loquat;

namespace {

// Box i with choice i as its caption and its size; nil for a number outside the boxes 1 to 30.
Obj choice_box(QlObject* window, int32_t i, QlString choices) {
  if (i < 1 || i >= kBoxCount) return Obj();
  Obj b = box(window, i);
  if (!b) return b;
  Str choice = nth_field(choices, QL_STR(","), i);
  set_box_caption(b.get(), choice.get());
  size_box(window, b.get(), choice.get());
  return b;
}

void reveal(QlObject* b) {
  store(box_state(b).light_edge, QL_STR("white"));
  store(box_state(b).dark_edge, QL_STR("grey"));
  show(b, true);
}

// "X Y,X Y,...": X the box's centre in per cent of the layout width, Y its top in per cent of the height.
void place_at_positions(QlObject* window, QlString choices, QlString layout) {
  int32_t n = count_fields(choices, QL_STR(","));
  for (int32_t i = 1; i <= n && i < kBoxCount; ++i) {
    Obj b = choice_box(window, i, choices);
    if (!b) continue;
    Str pair = nth_field(layout, QL_STR(","), i);
    Str x_text = nth_field(pair.get(), QL_STR(" "), 1);
    Str y_text = nth_field(pair.get(), QL_STR(" "), 2);
    double x = double_of(x_text.get());
    int32_t width = bound(b.get(), kQlWidth);
    set_bound(b.get(), kQlLeft, int_of(x * state(window).layout_width / 100 - width / 2.0));
    set_bound(b.get(), kQlTop, box_row_top(window, double_of(y_text.get())));
    reveal(b.get());
  }
}

// "count*top,...": up to three rows, each spread evenly over the band.
void place_in_rows(QlObject* window, QlString choices, QlString layout) {
  Cloze& cloze = state(window);
  int32_t n = count_fields(choices, QL_STR(","));
  int32_t placed = 0;
  for (int32_t group = 1; group <= rules::kMaxRowGroups; ++group) {
    Str row = nth_field(layout, QL_STR(","), group);
    Str count_text = nth_field(row.get(), QL_STR("*"), 1);
    Str top_text = nth_field(row.get(), QL_STR("*"), 2);
    int32_t count = value_of(count_text.get());
    Str joined;
    for (int32_t j = 1; j <= count && placed + j <= n; ++j) {
      Str choice = nth_field(choices, QL_STR(","), placed + j);
      joined = cat(joined.get(), choice.get());
    }
    int32_t width = int_of(cloze_string_width(window, joined.get(), cloze.strip_font, cloze.strip_size) +
                           static_cast<double>(count) * cloze.strip_size);
    int32_t gap = int_of((rules::kBandWidth - width) / (count + 1.0));
    int32_t x = rules::kBandLeft;
    // Boxes stop at 30; a row reaching past the choices shows empty boxes there.
    for (int32_t j = 1; j <= count && placed + j < kBoxCount; ++j) {
      Obj b = choice_box(window, placed + j, choices);
      if (!b) continue;
      set_bound(b.get(), kQlTop, box_row_top(window, double_of(top_text.get())));
      set_bound(b.get(), kQlLeft, int_of(static_cast<double>(x) + gap));
      x = x + gap + bound(b.get(), kQlWidth);
      reveal(b.get());
    }
    placed += count;
  }
}

}  // namespace

extern "C" {

void cloze_display_strips(QlObject* self) {
  release(state(self).fault_flag);
  Str choices = cell_text(self, kChoices);
  Str layout = cell_text(self, kLayout);
  Str first = nth_field(layout.get(), QL_STR(","), 1);
  if (count_fields(first.get(), QL_STR(" ")) == 2) {
    place_at_positions(self, choices.get(), layout.get());
  } else {
    place_in_rows(self, choices.get(), layout.get());
  }
}

void cloze_clear_them_all(QlObject* self) {
  for (int32_t i = 0; i <= rules::kClearedBoxes; ++i) {
    RuntimeBackgroundTask();
    Obj b = box(self, i);
    if (!b) continue;
    set_bound(b.get(), kQlTop, rules::kParkedTop);
    show(b.get(), false);
  }
}

// Its right edge at 15 % of the layout width, level with the first box.
void cloze_make_question_mark(QlObject* self) {
  Obj b = box(self, 2);
  size_box(self, b.get(), QL_STR("?"));
  set_bound(
      b.get(), kQlLeft,
      int_of(rules::kQuestionBoxRightPercent * state(self).layout_width / 100.0 - bound(b.get(), kQlWidth)));
  set_bound(b.get(), kQlTop, box_row_top(self, rules::kFirstBoxRowPercent));
  set_box_caption(b.get(), QL_STR("?"));
  show(b.get(), true);
}

}  // extern "C"
