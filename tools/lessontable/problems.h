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
  std::string message;  // Windows-1252, as the cells it quotes
  int every_row = 0;    // when not 0, the problem holds for every one of this many rows
};

using Problems = std::vector<Problem>;

// "FILE:LINE: row N, cell K (name): message", leaving out what the problem does not have; a problem of
// every row reads "FILE: every row (N), cell K (name): message". The text is UTF-8.
std::string format_problem(const std::string& file, const Problem& problem);

// A problem that every one of `rows` rows has, with the same cell and message, becomes one problem.
void merge_every_row(Problems& problems, int rows);

}  // namespace lessontable
