// The window's other layouts: the editor uncovered at 800 x 600, and the large 800 x 600 lesson layout.
#include "cloze.h"

using namespace loquat;

namespace {

void place_window(QlObject* window, int32_t top, int32_t left, int32_t width, int32_t height) {
  windowPosSetter(window, kQlTop, top);
  windowPosSetter(window, kQlLeft, left);
  windowPosSetter(window, kQlWidth, width);
  windowPosSetter(window, kQlHeight, height);
}

// Everything the large canvas would cover moves 600 pixels down, out of sight.
void move_editor_away(QlObject* window) {
  QlString names[] = {QL_STR("NumbersStrip"),
                      QL_STR("Insert"),
                      QL_STR("ListBox"),
                      QL_STR("LBtoDB6"),
                      QL_STR("MakeChangeListbox"),
                      QL_STR("SaveLBtoDisk"),
                      QL_STR("GetDBfromDisk"),
                      QL_STR("DeleteAll"),
                      QL_STR("DeleteRow"),
                      QL_STR("AddRow"),
                      QL_STR("SortCol2"),
                      QL_STR("Renumber"),
                      QL_STR("Screen")};
  for (QlString name : names) {
    QlObject* c = control(window, name);
    set_bound(c, kQlTop, bound(c, kQlTop) + 600);
  }
  for (int32_t cell = 0; cell < kCellCount; ++cell) {
    QlObject* c = control(window, cell_field(static_cast<Cell>(cell)));
    set_bound(c, kQlTop, bound(c, kQlTop) + 600);
  }
}

}  // namespace

extern "C" {

// EditEditor: the hidden right-hand and lower parts come into view.
void cloze_show_editor(QlObject* self) { place_window(self, 25, 5, 800, 600); }

// The Screen button. There is no way back but starting again.
void screen_button_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  QlObject* canvas = control(window.get(), QL_STR("bigCanvas"));
  set_bound(canvas, kQlWidth, 800);
  set_bound(canvas, kQlHeight, 400);
  Obj g = canvas_graphics(window.get());
  graphicsForeColorSetter(g.get(), 0, RuntimeRGB(255, 255, 255));
  RuntimeGraphicsFillRect(g.get(), 0, 0, 800, 400);
  Cloze& cloze = state(window.get());
  cloze.layout_width = 800;
  cloze.strip_size = 64;
  move_editor_away(window.get());
  place_window(window.get(), 10, 0, 800, 600);
}

}  // extern "C"
