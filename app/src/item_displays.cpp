// The introduction of a rule, the end screen of a set (with the number of items that had a fault), and the
// screen of a review with nothing to review.
#include "cloze.h"
#include "progress.h"

using namespace loquat;

namespace {

void draw_centred(QlObject* window, QlObject* g, QlString text, int32_t baseline) {
  Cloze& cloze = state(window);
  int32_t width = cloze_string_width(window, text, cloze.text_font, cloze.text_size);
  RuntimeGraphicsDrawString(g, text, int_of((canvas_width(window) - width) / 2.0), baseline, 0);
}

// Faults of the lesson just ended: how many items had one, and where they come back.
void draw_faults(QlObject* window, QlObject* g) {
  Cloze& cloze = state(window);
  int32_t faults = count_fields(cloze.faulted_rows, QL_STR(" "));
  if (faults == 0 || cloze.previewing) return;
  Str count = number_text(faults);
  Str line = cat(count.get(), faults == 1 ? QL_STR(" item had a fault.") : QL_STR(" items had a fault."));
  draw_centred(window, g, line.get(), 280);
  Str first = nth_field(cloze.faulted_rows, QL_STR(" "), 1);
  if (review_of_row(window, first.get()) != kNoReview)
    draw_centred(window, g, QL_STR("They come back in \"Review Mistakes\"."), 305);
}

}  // namespace

namespace loquat {

void draw_end_screen(QlObject* window) {
  Cloze& cloze = state(window);
  cloze.back_colour = RuntimeRGB(255, 255, 255);
  Obj g = canvas_graphics(window);
  fill_canvas(window, g.get(), cloze.back_colour);
  graphicsTextFontSetter(g.get(), 0, cloze.text_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.text_size);
  graphicsForeColorSetter(g.get(), 0, cloze_colour(window, QL_STR("ink")));
  draw_picture(g.get(), 3, 118, 90);
  draw_centred(window, g.get(), QL_STR("PLEASE CHOOSE AGAIN"), 240);
  draw_faults(window, g.get());
  cloze_clear_them_all(window);
  cloze_display_top_line(window);
}

void draw_no_mistakes(QlObject* window) {
  Cloze& cloze = state(window);
  Obj g = canvas_graphics(window);
  fill_canvas(window, g.get(), cloze.back_colour);
  draw_picture(g.get(), 3, 118, 90);
  graphicsTextFontSetter(g.get(), 0, cloze.text_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.text_size);
  graphicsForeColorSetter(g.get(), 0, cloze_colour(window, QL_STR("ink")));
  draw_centred(window, g.get(), QL_STR("No mistakes to review."), 240);
  draw_centred(window, g.get(), QL_STR("Items answered with a fault come back here."), 270);
  cloze_clear_them_all(window);
  cloze_display_top_line(window);
}

}  // namespace loquat

extern "C" {

void cloze_show_big_notes(QlObject* self) {
  QlObject* notes = control(self, QL_STR("bigNoteField"));
  Str text = cell_text(self, kExplanation);
  Str lines = with_line_breaks(text.get());
  set_text(notes, lines.get());
  show(notes, true);
}

void cloze_click_end(QlObject* self) {
  draw_end_screen(self);
  state(self).screen = kScreenEnd;
}

}  // extern "C"
