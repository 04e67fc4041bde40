// Formatting of table problems as compiler-style messages, and the merging of problems every row has.
#include "lessontable/problems.h"

#include <map>
#include <tuple>

#include "qlimage/text_encoding.h"

namespace lessontable {

std::string format_problem(const std::string& file, const Problem& problem) {
  std::string text = file + ":";
  if (problem.every_row) {
    text += " every row (" + std::to_string(problem.every_row) + ")";
  } else {
    text += std::to_string(problem.line) + ":";
    if (problem.row >= 0) text += " row " + std::to_string(problem.row);
  }
  if (problem.cell >= 0) text += ", cell " + std::to_string(problem.cell) + " (" + problem.cell_name + ")";
  if (problem.every_row || problem.row >= 0) text += ":";
  return text + " " + qlimage::windows1252_to_utf8(problem.message);
}

void merge_every_row(Problems& problems, int rows) {
  if (rows < 2) return;
  using Key = std::tuple<int, std::string>;
  std::map<Key, int> counts;
  for (const Problem& problem : problems) {
    if (problem.row >= 0) ++counts[{problem.cell, problem.message}];
  }
  Problems merged;
  std::map<Key, bool> written;
  for (const Problem& problem : problems) {
    Key key{problem.cell, problem.message};
    if (problem.row < 0 || counts[key] != rows) {
      merged.push_back(problem);
    } else if (!written[key]) {
      written[key] = true;
      Problem once = problem;
      once.every_row = rows;
      merged.push_back(once);
    }
  }
  problems = std::move(merged);
}

}  // namespace lessontable
