// Formatting of table problems as compiler-style messages.
#include "lessontable/problems.h"

namespace lessontable {

std::string format_problem(const std::string& file, const Problem& problem) {
  std::string text = file + ":" + std::to_string(problem.line) + ": ";
  if (problem.row >= 0) {
    text += "row " + std::to_string(problem.row);
    if (problem.cell >= 0) text += ", cell " + std::to_string(problem.cell) + " (" + problem.cell_name + ")";
    text += ": ";
  }
  return text + problem.message;
}

}  // namespace lessontable
