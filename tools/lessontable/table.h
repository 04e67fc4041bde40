// The exercise table as read from its source file: rows of eight Windows-1252 cells, each with its line.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace lessontable {

constexpr int kCellCount = 8;

enum Cell { kNumber, kSet, kPattern, kAnswers, kChoices, kExplanation, kLayout, kExtra };

struct TableRow {
  int line = 0;           // 1-based line of the source file
  bool complete = false;  // false when the line did not yield eight usable cells
  std::array<std::string, kCellCount> cells;
};

struct Table {
  std::vector<TableRow> rows;
};

}  // namespace lessontable
