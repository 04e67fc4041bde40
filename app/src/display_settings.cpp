// Display settings: the background and box colour cycles, the font of the sentence, and the colours the
// lesson canvas and the explanation field open with.
#include "cloze.h"
#include "progress.h"

using namespace loquat;

namespace {

// The box colours in cycle order, each named on the button by its components.
constexpr int32_t kBoxColours[7][3] = {
    {255, 255, 255}, {100, 100, 100}, {220, 220, 120}, {250, 250, 0},
    {0, 250, 250},   {250, 100, 250}, {200, 200, 200},
};
constexpr int32_t kBoxColourCount = 7;

QlString box_colour_caption(int32_t i) {
  switch (i) {
    case 1:
      return QL_STR("100,100,100");
    case 2:
      return QL_STR("220,220,120");
    case 3:
      return QL_STR("250,250,000");
    case 4:
      return QL_STR("000,250,250");
    case 5:
      return QL_STR("250,100,250");
    case 6:
      return QL_STR("200,200,200");
    default:
      return QL_STR("255,255,255");
  }
}

int32_t box_colour(int32_t i) { return RuntimeRGB(kBoxColours[i][0], kBoxColours[i][1], kBoxColours[i][2]); }

// The background follows the button's own caption: white, green, red, ink, beige, and round again.
QlString next_background(QlString caption) {
  if (same(caption, QL_STR("white"))) return QL_STR("green");
  if (same(caption, QL_STR("green"))) return QL_STR("red");
  if (same(caption, QL_STR("red"))) return QL_STR("ink");
  if (same(caption, QL_STR("ink"))) return QL_STR("beige");
  return QL_STR("white");
}

}  // namespace

extern "C" {

// PushButton1.
void background_button_action(QlObject* self) {
  Obj window(open_cloze());
  if (!window) return;
  Str caption(pushButtonTitleGetter(self, 0));
  QlString next = next_background(caption.get());
  pushButtonTitleSetter(self, 0, next);
  Cloze& cloze = state(window.get());
  cloze.back_colour = cloze_colour(window.get(), next);
  editBackColorSetter(control(window.get(), QL_STR("bigNoteField")), 0, cloze.back_colour);
  formRefresh(window.get());
}

// PushButton5: a colour outside the cycle starts it again at white.
void box_colour_button_action(QlObject* self) {
  Obj window(open_cloze());
  if (!window) return;
  Cloze& cloze = state(window.get());
  int32_t next = 0;
  for (int32_t i = 0; i < kBoxColourCount; ++i) {
    if (cloze.box_colour == box_colour(i)) {
      next = (i + 1) % kBoxColourCount;
      break;
    }
  }
  cloze.box_colour = box_colour(next);
  pushButtonTitleSetter(self, 0, box_colour_caption(next));
  formRefresh(window.get());
}

void note_field_open(QlObject* self) {
  Obj window(open_cloze());
  if (window) editBackColorSetter(self, 0, state(window.get()).back_colour);
}

void big_canvas_paint(QlObject* self, QlObject* g) {
  Obj window(open_cloze());
  if (!window) return;
  graphicsForeColorSetter(g, 0, state(window.get()).back_colour);
  RuntimeGraphicsFillRect(g, 0, 0, bound(self, kQlWidth), bound(self, kQlHeight));
}

// The face chosen from the font menu, kept with the settings. The screen on show is drawn again as it was,
// in the new face: the item keeps its fault, a finished item its "next" or "end", the logo stays the logo.
void cloze_choose_font(QlObject* self, QlString font) {
  if (is_empty(font)) return;
  if (fit_font(self, font)) store(state(self).chosen_font, font);
  redraw_screen(self);
  save_progress(self);
}

}  // extern "C"

namespace loquat {

// The largest of the sizes 36, 30 and 24 at which a sample sentence fits the canvas; a font that fits at
// none is not taken, and the size stays 24.
bool fit_font(QlObject* window, QlString font) {
  Cloze& cloze = state(window);
  constexpr int32_t kSizes[] = {36, 30, 24};
  for (int32_t size : kSizes) {
    cloze.strip_size = size;
    if (cloze_get_string_width(window, font) < 480) {
      store(cloze.strip_font, font);
      return true;
    }
  }
  return false;
}

}  // namespace loquat
