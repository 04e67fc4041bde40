// The static text's pane, which draws the caption itself: aligned line by line, or
// word-wrapped when the text is multi-line.
#pragma once

#include "ui/controls/static_text_object.h"
#include "ui/panes/control_pane.h"

namespace ql {

class GraphicsState;

class StaticPane final : public ControlPane {
 public:
  StaticPane(QlObject* label, WindowPane* window, const Rect16& bounds);
  ~StaticPane() override;
  // Takes what it draws; its platform window is made once it is seen.
  bool build();
  void draw() override;

  // What it draws, copied from the language object.
  void take_fields();

 private:
  bool make_platform_window() override;
  GraphicsState* graphics_ = nullptr;
  QlString caption_ = nullptr;
  int32_t alignment_ = kStaticLeft;
  COLORREF text_colour_ = 0;
  bool multi_line_ = false;
};

StaticPane* static_pane_of(QlObject* label);

}  // namespace ql
