// The pane of a control: a pane serving a control object, made by the control class's CreatePane hook and
// attached to the control until its window closes.
#pragma once

#include "objects/objects.h"
#include "ui/controls/control_object.h"
#include "ui/panes/pane.h"

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

// Raises an event on the pane's control, holding the control meanwhile, and answers whether the pane
// outlived the handler: one may close the window, which destroys its panes. Only the answer may be used
// when it is false.
template <typename... Args>
bool raise_on_control(ControlPane* pane, const EventDefinition& event, Args... args) {
  QlObject* control = pane->control();
  retain_object(control);
  fire_event(control, event, args...);
  bool alive = as_control_fields(control)->pane == pane;
  release_object(control);
  return alive;
}

// The same for an event answering a Boolean, which goes into result.
template <typename... Args>
bool raise_boolean_on_control(ControlPane* pane, bool& result, const EventDefinition& event, Args... args) {
  QlObject* control = pane->control();
  retain_object(control);
  result = fire_boolean_event(control, event, args...);
  bool alive = as_control_fields(control)->pane == pane;
  release_object(control);
  return alive;
}

}  // namespace ql
