// Checks one row of the table: whether the item can be answered and is shown as meant.
#pragma once

#include "lessontable/problems.h"
#include "lessontable/table.h"

namespace lessontable {

void check_row(const TableRow& row, int index, Problems& problems);

}  // namespace lessontable
