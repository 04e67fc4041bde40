// Windows and their controls built from the window descriptions of the image.
#pragma once

#include <string>

#include "quillet/types.h"
#include "ui/window/control_table.h"

namespace ql {

// Creates one control of a window from its class and property pairs, as window building and cloning do:
// the object, its window and pane settings, its properties in order. Index and Name pairs set the
// control's index and name on the way. Null when the class is not a control class.
QlObject* make_control(QlObject* window, ClassObject* cls,
                       const std::vector<std::pair<std::string, std::string>>& properties);

// A control gets its pane (its class's CreatePane), its pane settings, and then its Open.
void make_control_pane(QlObject* control);

// The text of a control's Name.
std::string control_name(QlObject* control);

}  // namespace ql
