// Checks a whole table: row numbers, the sets and their sizes, every row, the code pages, and repeats
// across rows.
#pragma once

#include "lessontable/lesson_plan.h"
#include "lessontable/problems.h"
#include "lessontable/table.h"

namespace lessontable {

// Adds the problems of `table` to `problems`, sorted by line, those every row has merged into one.
void check_table(const Table& table, const LessonPlan& plan, Problems& problems);

}  // namespace lessontable
