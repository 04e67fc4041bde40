// The checks of a table against the lesson plan: the sets in the plan's order, each with its row count,
// and the rows numbered. A partial table, an exchange file that holds only some of the sets, is checked set
// by set: every set it holds is whole and in order, and its rows keep the numbers they have in the whole
// table; the sets it does not hold are not missed.
#pragma once

#include "lessontable/lesson_plan.h"
#include "lessontable/problems.h"
#include "lessontable/table.h"

namespace lessontable {

// An exchange file that lacks one of the plan's sets.
bool is_partial(const Table& table, const LessonPlan& plan);

void check_set_order(const Table& table, const LessonPlan& plan, bool partial, Problems& problems);
void check_numbers(const Table& table, const LessonPlan& plan, bool partial, Problems& problems);

}  // namespace lessontable
