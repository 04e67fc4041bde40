// What is wrong with a table, where it is, and what to do about it.
#pragma once

#include <string>
#include <vector>

namespace lessontable {

struct Problem {
  int line = 0;   // 1-based line of the source file
  int row = -1;   // table row, or -1 for problems of the file as a whole
  int cell = -1;  // cell of the row, or -1 for problems of the whole row
  std::string cell_name;
  std::string message;
};

using Problems = std::vector<Problem>;

// "FILE:LINE: row N, cell K (name): message", leaving out what the problem does not have.
std::string format_problem(const std::string& file, const Problem& problem);

}  // namespace lessontable
