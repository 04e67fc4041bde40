// The events windows and controls declare, each class its own definitions (lookups compare them by
// identity), and raising them.
#pragma once

#include "objects/class_object.h"

namespace ql {

namespace window_events {
extern const EventDefinition kOpen, kClose, kCancelClose, kPaint, kMouseDown, kMouseDrag, kMouseUp,
    kMouseMove, kMouseExit, kKeyDown, kActivate, kDeactivate, kMoved, kResized, kDropObject, kEnableMenuItems;
}

namespace control_events {
extern const EventDefinition kOpen, kClose, kCreatePane, kDropObject;
}

namespace rect_control_events {
extern const EventDefinition kMouseEnter, kMouseExit, kMouseMove, kGotFocus, kLostFocus, kKeyDown;
}

namespace canvas_events {
extern const EventDefinition kPaint, kMouseDown, kMouseDrag, kMouseUp;
}

// Whether object's class chain has a handler for the event.
bool has_handler(QlObject* object, const EventDefinition& event);

}  // namespace ql
