// The list box's InitialValue text made from a table.
#pragma once

#include <string>

#include "lessontable/table.h"

namespace lessontable {

// A CR (the empty heading line), then each row as its 8 cells each followed by a TAB, rows separated by
// CR and the last one without a closing CR.
std::string initial_value(const Table& table);

}  // namespace lessontable
