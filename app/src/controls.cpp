// The lesson window's controls: boxes, editor fields, the exercise list and the lesson canvas, and how
// boxes are sized and placed.
#include "cloze.h"

namespace loquat {

Obj box(QlObject* window, int32_t i) {
  return Obj(RuntimeControlArrayItemReference(window, QL_STR("BoxStrip"), i));
}

Str field_name(int32_t n) {
  Str number = number_text(n);
  return cat(QL_STR("Fdb"), number.get());
}

QlObject* exercise_list(QlObject* window) { return control(window, QL_STR("ListBox")); }

Obj canvas_graphics(QlObject* window) {
  return Obj(canvasGraphicsGetter(control(window, QL_STR("bigCanvas")), 0));
}

int32_t canvas_width(QlObject* window) { return bound(control(window, QL_STR("bigCanvas")), kQlWidth); }

void fill_canvas(QlObject* window, QlObject* g, int32_t colour) {
  QlObject* canvas = control(window, QL_STR("bigCanvas"));
  graphicsForeColorSetter(g, 0, colour);
  RuntimeGraphicsFillRect(g, 1, 1, bound(canvas, kQlWidth), bound(canvas, kQlHeight));
}

// Tops are per cent of the layout height, which is three quarters of the layout width.
int32_t box_row_top(QlObject* window, double percent) {
  return int_of(percent * state(window).layout_width * 3 / 400);
}

void size_box(QlObject* window, QlObject* box, QlString caption) {
  Cloze& cloze = state(window);
  set_bound(box, kQlHeight, cloze.strip_size);
  set_bound(box, kQlWidth,
            cloze_string_width(window, caption, cloze.strip_font, cloze.strip_size) + cloze.strip_size);
}

void set_box_caption(QlObject* box, QlString caption) { store(box_state(box).caption, caption); }

// Centred, at 85 % of the layout height, as wide as width_from's caption would make it.
void place_first_box(QlObject* window, QlObject* box, QlString width_from) {
  size_box(window, box, width_from);
  int32_t width = bound(box, kQlWidth);
  set_bound(box, kQlLeft, int_of(50.0 * state(window).layout_width / 100 - width / 2.0));
  set_bound(box, kQlTop, box_row_top(window, 85));
}

Str with_line_breaks(QlString text) {
  Str line_feed = chr(10);
  return replace_all(text, QL_STR("/"), line_feed.get());
}

}  // namespace loquat
