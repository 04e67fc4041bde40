// The Loquat tests' plan of the lessons: the exercise rows as their author wrote them in
// app/content/exercises.tsv, read by the test itself, so that what a test expects of a lesson (how many
// items, which sentences, which boxes) never comes from the program under test.
#pragma once

#include <string>
#include <vector>

namespace ql::loquat_tests {

struct PlannedRow {
  int number = -1;
  std::string set, pattern, answers, choices, explanation, layout;  // Windows-1252, as the image holds them
};

// Every row of the table, in order.
const std::vector<PlannedRow>& planned_rows();
// The rows a lesson takes: those whose set code starts with the prefix.
std::vector<PlannedRow> rows_of(const std::string& prefix);

std::vector<std::string> split(const std::string& text, char separator);
std::string trimmed(const std::string& text);

}  // namespace ql::loquat_tests
