// Drawing the item on the lesson canvas: the title line and the sentence, line by line and segment by
// segment in each segment's colour.
#include "cloze.h"

using namespace loquat;

namespace {

Str line_text(QlObject* window, int32_t first_segment, int32_t segments) {
  Str text;
  for (int32_t k = first_segment; k < first_segment + segments; ++k) {
    Str segment = segment_text(window, k);
    text = cat(text.get(), segment.get());
  }
  return text;
}

}  // namespace

extern "C" {

void cloze_display_top_line(QlObject* self) {
  Cloze& cloze = state(self);
  Str code = cell_text(self, kSet);
  Str title = top_line(self, 1);
  // A compare board has no status.
  if (!contains(code.get(), QL_STR("LX"))) {
    Str status = top_line(self, 2);
    title = cat(title.get(), QL_STR(" "), status.get());
  }
  Obj g = canvas_graphics(self);
  graphicsForeColorSetter(g.get(), 0, cloze.back_colour);
  RuntimeGraphicsFillRect(g.get(), 5, 5, canvas_width(self), 30);
  graphicsForeColorSetter(g.get(), 0, cloze_colour(self, QL_STR("ink")));
  graphicsTextFontSetter(g.get(), 0, cloze.text_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.text_size);
  int32_t width = cloze_string_width(self, title.get(), cloze.text_font, cloze.text_size);
  RuntimeGraphicsDrawString(g.get(), title.get(), int_of((cloze.layout_width - width) / 2.0),
                            rules::kTitleBaseline, 0);
}

void cloze_dis_gap_lines(QlObject* self) {
  Cloze& cloze = state(self);
  show(control(self, QL_STR("bigNoteField")), false);
  show(control(self, QL_STR("NoteField")), false);
  Obj g = canvas_graphics(self);
  fill_canvas(self, g.get(), cloze.back_colour);
  cloze_display_top_line(self);
  graphicsTextFontSetter(g.get(), 0, cloze.strip_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.strip_size);

  int32_t lines = line_info(self, 0, 0);
  int32_t width = canvas_width(self);
  int32_t k = 1;
  for (int32_t line = 1; line <= lines; ++line) {
    int32_t segments = line_info(self, line, 0);
    Str text = line_text(self, k, segments);
    int32_t text_width = cloze_string_width(self, text.get(), cloze.strip_font, cloze.strip_size);
    set_line_info(self, line, 1, int_of((width - text_width) / 2.0));
    k += segments;
  }

  Str pattern = cell_text(self, kPattern);
  bool from_left = starts_with(pattern.get(), QL_STR("@"));
  k = 1;
  for (int32_t line = 1; line <= lines; ++line) {
    RuntimeBackgroundTask();
    int32_t x = from_left ? rules::kLeftAlignedX : line_info(self, line, 1);
    int32_t segments = line_info(self, line, 0);
    for (int32_t end = k + segments; k < end; ++k) {
      Str text = segment_text(self, k);
      Str colour = segment_colour(self, k);
      graphicsForeColorSetter(g.get(), 0, cloze_colour(self, colour.get()));
      RuntimeGraphicsDrawString(g.get(), text.get(), x, line_y(self, line), 0);
      x += cloze_string_width(self, text.get(), cloze.strip_font, cloze.strip_size);
    }
  }
}

}  // extern "C"
