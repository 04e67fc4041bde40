// The event definitions of the list box, push button, edit field and popup menu.
#include "ui/events/control_events.h"

namespace ql {

namespace listbox_events {
const EventDefinition kChange = {"Change", "", ""};
const EventDefinition kDoubleClick = {"DoubleClick", "", ""};
const EventDefinition kExpandRow = {"ExpandRow", "Row As Integer", ""};
const EventDefinition kCollapseRow = {"CollapseRow", "Row As Integer", ""};
const EventDefinition kSortColumn = {"SortColumn", "column As Integer", "Boolean"};
const EventDefinition kCellAction = {"CellAction", "Row As Integer, Column As Integer", ""};
const EventDefinition kEnableMenuItems = {"EnableMenuItems", "", ""};
}  // namespace listbox_events

namespace push_button_events {
const EventDefinition kAction = {"Action", "", ""};
}  // namespace push_button_events

namespace edit_field_events {
const EventDefinition kTextChange = {"TextChange", "", ""};
const EventDefinition kSelChange = {"SelChange", "", ""};
}  // namespace edit_field_events

namespace popup_menu_events {
const EventDefinition kChange = {"Change", "", ""};
}  // namespace popup_menu_events

}  // namespace ql
