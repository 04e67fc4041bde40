// Parts of the windows layer that are not built yet; each does nothing until its part replaces it.
#include "quillet/graphics.h"
#include "ui/graphics.h"
#include "ui/ui_classes.h"
#include "ui/ui_loop.h"
#include "ui/ui_steps.h"

namespace ql {

QlObject* make_picture_item(const uint8_t*) { return nullptr; }
QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }
void define_canvas_class() {}
void define_graphics_classes() {}
QlObject* new_pane_graphics(Pane*) { return nullptr; }
void draw_picture_at(Pane*, QlObject*, int32_t, int32_t) {}
void forget_pane_graphics(Pane*) {}

}  // namespace ql

QL_API QlObject* windowGraphicsGetter(QlObject*, intptr_t) { return nullptr; }

namespace ql {

}  // namespace ql
