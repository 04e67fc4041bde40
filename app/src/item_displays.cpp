// The introduction of a rule and the end screen of a set.
#include "cloze.h"

using namespace loquat;

namespace {

void draw_centred(QlObject* window, QlObject* g, QlString text, int32_t baseline) {
  Cloze& cloze = state(window);
  int32_t width = cloze_string_width(window, text, cloze.text_font, cloze.text_size);
  RuntimeGraphicsDrawString(g, text, int_of((canvas_width(window) - width) / 2.0), baseline, 0);
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
