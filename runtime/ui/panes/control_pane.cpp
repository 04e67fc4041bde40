// Attaching control panes to their controls.
#include "ui/panes/control_pane.h"

#include "ui/controls/control_object.h"
#include "ui/window/window_pane.h"

namespace ql {

ControlPane::ControlPane(QlObject* control, WindowPane* window, const Rect16& rect)
    : Pane(window, rect), control_(control) {
  as_control_fields(control)->pane = this;
  if (window) {
    control_id = ++window->control_panes_made;
    window->append_child(this);
  }
}

ControlPane::~ControlPane() {
  ControlFields* c = as_control_fields(control_);
  if (c->pane == this) c->pane = nullptr;
}

WindowPane* control_window_pane(QlObject* control) { return as_control_fields(control)->window_pane; }

}  // namespace ql
