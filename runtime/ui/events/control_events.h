// The events the list box, push button, edit field and popup menu classes declare (their key and focus
// events are RectControl's).
#pragma once

#include "objects/class_object.h"

namespace ql {

namespace listbox_events {
extern const EventDefinition kChange, kDoubleClick, kExpandRow, kCollapseRow, kSortColumn, kCellAction,
    kEnableMenuItems;
}

namespace push_button_events {
extern const EventDefinition kAction;
}

namespace edit_field_events {
extern const EventDefinition kTextChange, kSelChange;
}

namespace popup_menu_events {
extern const EventDefinition kChange;
}

}  // namespace ql
