// Painting a box: a bevelled edge, the window's box colour and the caption; a wrong answer struck through.
#include "cloze.h"

using namespace loquat;

namespace {

// No name gives the usual bevel: a light top-left edge and a grey bottom-right one.
int32_t edge_colour(QlString name, bool light) {
  int32_t white = RuntimeRGB(255, 255, 255);
  int32_t grey = RuntimeRGB(140, 140, 140);
  if (is_empty(name)) return light ? white : grey;
  if (same(name, QL_STR("white"))) return white;
  if (same(name, QL_STR("grey"))) return grey;
  if (same(name, QL_STR("red"))) return RuntimeRGB(255, 0, 0);
  return 0;
}

}  // namespace

extern "C" void super_can_paint(QlObject* self, QlObject* g) {
  Obj window(open_cloze());
  if (!window) return;
  Cloze& cloze = state(window.get());
  SuperCan& b = box_state(self);
  int32_t w = bound(self, kQlWidth);
  int32_t h = bound(self, kQlHeight);
  // A light edge in the canvas's own colour would not show: the box would have only two sides.
  int32_t light = edge_colour(b.light_edge, true);
  if (light == cloze.back_colour) light = RuntimeRGB(200, 200, 200);
  graphicsForeColorSetter(g, 0, light);
  RuntimeGraphicsDrawLine(g, 1, 1, w, 1);
  RuntimeGraphicsDrawLine(g, 1, h - 1, 1, 1);
  graphicsForeColorSetter(g, 0, edge_colour(b.dark_edge, false));
  RuntimeGraphicsDrawLine(g, w - 1, 2, w - 1, h);
  RuntimeGraphicsDrawLine(g, 1, h - 1, w, h - 1);
  graphicsForeColorSetter(g, 0, cloze.box_colour);
  RuntimeGraphicsFillRect(g, 2, 2, w - 3, h - 3);
  graphicsTextFontSetter(g, 0, cloze.strip_font);
  graphicsTextSizeSetter(g, 0, cloze.strip_size);
  graphicsForeColorSetter(g, 0,
                          b.marked ? RuntimeRGB(140, 140, 140) : cloze_colour(window.get(), QL_STR("ink")));
  // "$" stands for two spaces on a box.
  Str caption = replace_all(b.caption, QL_STR("$"), QL_STR("  "));
  RuntimeGraphicsDrawString(g, caption.get(), int_of(cloze.strip_size / 2.0), int_of(cloze.strip_size * 0.8),
                            0);
  if (!b.marked) return;
  // Struck through: the caption greyed under a red line across the box.
  graphicsForeColorSetter(g, 0, RuntimeRGB(255, 0, 0));
  for (int32_t y = h / 2 - 1; y <= h / 2 + 1; ++y) RuntimeGraphicsDrawLine(g, 3, y, w - 4, y);
}
