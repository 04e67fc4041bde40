// The lesson plan as C++ for the application image: runtime string constants and the table of lessons that
// app/src/lesson_table.h declares, so that the program looks its lessons up without parsing anything.
#pragma once

#include <string>

#include "lessontable/lesson_plan.h"

namespace lessontable {

std::string lesson_source(const LessonPlan& plan, const std::string& source_name);

}  // namespace lessontable
