// Checks a whole table: row numbers, the sets and their sizes, every row, and repeats across rows.
#pragma once

#include <vector>

#include "lessontable/problems.h"
#include "lessontable/set_plan.h"
#include "lessontable/table.h"

namespace lessontable {

// Adds the problems of `table` to `problems` and sorts them by line.
void check_table(const Table& table, const std::vector<SetEntry>& plan, Problems& problems);

}  // namespace lessontable
