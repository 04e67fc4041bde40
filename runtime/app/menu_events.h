// The events menu items declare.
#pragma once

#include "objects/class_object.h"

namespace ql::menu_events {

extern const EventDefinition kAction;      // MenuItem's Action, returning Boolean
extern const EventDefinition kEnableMenu;  // MenuItem's EnableMenu
extern const EventDefinition kQuitAction;  // QuitMenuItem declares Action again

}  // namespace ql::menu_events
