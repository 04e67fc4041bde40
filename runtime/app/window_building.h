// Windows and their controls built from the window descriptions of the image.
#pragma once

#include <string>

#include "quillet/types.h"
#include "ui/window/control_table.h"

namespace ql {

// Creates one control of a window from its class and property pairs, as window building and cloning do:
// the object, its window (and for a Control its pane settings), its properties in order. Index and Name
// pairs set the index (and a Control's name) on the way. An object of another class, such as a Timer,
// lives in the window's control table as a control does but has no pane.
QlObject* make_control(QlObject* window, ClassObject* cls,
                       const std::vector<std::pair<std::string, std::string>>& properties);

// A control gets its pane (its class's CreatePane), its pane settings, and then its Open.
void make_control_pane(QlObject* control);

// The value of the last Name pair, the name a record's object is registered under.
std::string record_name(const std::vector<std::pair<std::string, std::string>>& properties);

}  // namespace ql
