// The pane of a control: a pane serving a control object, made by the control class's CreatePane hook and
// attached to the control until its window closes.
#pragma once

#include "ui/pane.h"

namespace ql {

class ControlPane : public Pane {
 public:
  // Attaches itself to control (the control's pane field) and joins the window's child list.
  ControlPane(QlObject* control, WindowPane* window, const Rect16& bounds);
  ~ControlPane() override;

  QlObject* language_object() override { return control_; }
  QlObject* control() const { return control_; }

 private:
  QlObject* control_;  // not held: the control owns its pane
};

// The window pane a control belongs to, as window building recorded it.
WindowPane* control_window_pane(QlObject* control);

}  // namespace ql
