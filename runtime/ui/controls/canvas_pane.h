// The pane of a Canvas control: a "QL_Pane" child that draws the canvas's Backdrop and raises its Paint and
// mouse events with coordinates relative to the canvas.
#pragma once

#include "ui/panes/control_pane.h"

namespace ql {

class CanvasPane final : public ControlPane {
 public:
  CanvasPane(QlObject* canvas, WindowPane* window, const Rect16& bounds);

  void draw() override;
  bool mouse_down(int32_t x, int32_t y, int32_t modifiers) override;
  bool contextual_mouse_down(int32_t x, int32_t y, int32_t modifiers) override;
  void mouse_drag(int32_t x, int32_t y) override;
  void mouse_up(int32_t x, int32_t y) override;
  void set_shown(bool shown) override;
  // Its platform window is made once it is seen.
  void build() { defer(); }

 private:
  bool make_platform_window() override;
};

// The canvas class's CreatePane hook: the pane and its platform window, transparent when the canvas's
// Transparent property asks for it.
void create_canvas_pane(QlObject* canvas);

}  // namespace ql
