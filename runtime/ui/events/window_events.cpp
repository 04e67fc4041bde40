// The event definitions of windows and controls.
#include "ui/events/window_events.h"

#include "objects/objects.h"

namespace ql {

namespace window_events {
const EventDefinition kOpen = {"Open", "", ""};
const EventDefinition kClose = {"Close", "", ""};
const EventDefinition kCancelClose = {"CancelClose", "", "Boolean"};
const EventDefinition kPaint = {"Paint", "g As Graphics", ""};
const EventDefinition kMouseDown = {"MouseDown", "X As Integer, Y As Integer", "Boolean"};
const EventDefinition kMouseDrag = {"MouseDrag", "X As Integer, Y As Integer", ""};
const EventDefinition kMouseUp = {"MouseUp", "X As Integer, Y As Integer", ""};
const EventDefinition kMouseMove = {"MouseMove", "X As Integer, Y As Integer", ""};
const EventDefinition kMouseExit = {"MouseExit", "", ""};
const EventDefinition kKeyDown = {"KeyDown", "Key As String", "Boolean"};
const EventDefinition kActivate = {"Activate", "", ""};
const EventDefinition kDeactivate = {"Deactivate", "", ""};
const EventDefinition kMoved = {"Moved", "", ""};
const EventDefinition kResized = {"Resized", "", ""};
const EventDefinition kDropObject = {"DropObject", "obj As DragItem", ""};
const EventDefinition kEnableMenuItems = {"EnableMenuItems", "", ""};
}  // namespace window_events

namespace control_events {
const EventDefinition kOpen = {"Open", "", ""};
const EventDefinition kClose = {"Close", "", ""};
const EventDefinition kCreatePane = {"CreatePane", "", ""};
const EventDefinition kDropObject = {"DropObject", "obj As DragItem", ""};
}  // namespace control_events

namespace rect_control_events {
const EventDefinition kMouseEnter = {"MouseEnter", "", ""};
const EventDefinition kMouseExit = {"MouseExit", "", ""};
const EventDefinition kMouseMove = {"MouseMove", "X As Integer, Y As Integer", ""};
const EventDefinition kGotFocus = {"GotFocus", "", ""};
const EventDefinition kLostFocus = {"LostFocus", "", ""};
const EventDefinition kKeyDown = {"KeyDown", "Key As String", "Boolean"};
}  // namespace rect_control_events

namespace canvas_events {
const EventDefinition kPaint = {"Paint", "g As Graphics", ""};
const EventDefinition kMouseDown = {"MouseDown", "X As Integer, Y As Integer", "Boolean"};
const EventDefinition kMouseDrag = {"MouseDrag", "X As Integer, Y As Integer", ""};
const EventDefinition kMouseUp = {"MouseUp", "X As Integer, Y As Integer", ""};
}  // namespace canvas_events

bool has_handler(QlObject* object, const EventDefinition& event) {
  return find_event_handler(object, event) != 0;
}

}  // namespace ql
