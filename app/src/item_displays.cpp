// The introduction of a rule and the end screen of a set.
#include "cloze.h"

using namespace loquat;

extern "C" {

void cloze_show_big_notes(QlObject* self) {
  QlObject* notes = control(self, QL_STR("bigNoteField"));
  Str text = cell_text(self, kExplanation);
  Str lines = with_line_breaks(text.get());
  set_text(notes, lines.get());
  show(notes, true);
}

void cloze_click_end(QlObject* self) {
  Cloze& cloze = state(self);
  cloze.back_colour = RuntimeRGB(255, 255, 255);
  Obj g = canvas_graphics(self);
  fill_canvas(self, g.get(), cloze.back_colour);
  graphicsTextFontSetter(g.get(), 0, cloze.text_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.text_size);
  graphicsForeColorSetter(g.get(), 0, cloze_colour(self, QL_STR("ink")));
  draw_picture(g.get(), 3, 118, 90);
  QlString farewell = QL_STR("PLEASE CHOOSE AGAIN");
  int32_t width = cloze_string_width(self, farewell, cloze.text_font, cloze.text_size);
  RuntimeGraphicsDrawString(g.get(), farewell, int_of((canvas_width(self) - width) / 2.0), 240, 0);
  cloze_clear_them_all(self);
  cloze_display_top_line(self);
}

}  // extern "C"
