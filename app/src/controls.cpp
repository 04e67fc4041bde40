// The lesson window's controls: boxes, editor fields, the exercise list and the lesson canvas, and how
// boxes are sized and placed.
#include "cloze.h"

namespace loquat {

Obj box(QlObject* window, int32_t i) {
  return Obj(RuntimeControlArrayItemReference(window, QL_STR("BoxStrip"), i));
}

QlString cell_field(Cell cell) {
  switch (cell) {
    case kNumber:
      return QL_STR("Fdb1");
    case kSet:
      return QL_STR("Fdb2");
    case kPattern:
      return QL_STR("Fdb3");
    case kAnswers:
      return QL_STR("Fdb4");
    case kChoices:
      return QL_STR("Fdb5");
    case kExplanation:
      return QL_STR("Fdb6");
    case kLayout:
      return QL_STR("Fdb7");
    case kExtra:
      break;
  }
  return QL_STR("Fdb8");
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
  return rules::box_top(percent, state(window).layout_width);
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
  set_bound(box, kQlTop, box_row_top(window, rules::kFirstBoxRowPercent));
}

Str with_line_breaks(QlString text) {
  Str line_feed = chr(10);
  return replace_all(text, QL_STR("/"), line_feed.get());
}

}  // namespace loquat
