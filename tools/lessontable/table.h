// The exercise table as read from a file: rows of eight Windows-1252 cells, each with its line.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "rules/cells.h"

namespace lessontable {

using loquat::rules::kAnswers;
using loquat::rules::kCellCount;
using loquat::rules::kChoices;
using loquat::rules::kExplanation;
using loquat::rules::kExtra;
using loquat::rules::kLayout;
using loquat::rules::kNumber;
using loquat::rules::kPattern;
using loquat::rules::kSet;
using loquat::rules::RowKind;

struct TableRow {
  int line = 0;           // 1-based line of the source file
  bool complete = false;  // false when the line did not yield eight usable cells
  std::array<std::string, kCellCount> cells;
};

// The repository's table is UTF-8 text with LF line ends; the editor's exchange files are Windows-1252 with
// a CR after each row and a TAB after each cell.
enum class TableFormat { kRepository, kExchange };

struct Table {
  TableFormat format = TableFormat::kRepository;
  std::vector<TableRow> rows;
};

// The shared rules' view of a text.
inline loquat::rules::Span span_of(std::string_view text) {
  return loquat::rules::Span(text.data(), static_cast<int>(text.size()));
}
inline std::string string_of(loquat::rules::Span span) { return std::string(span.data, span.size); }

inline RowKind kind_of_set(std::string_view code) { return loquat::rules::kind_of_set(span_of(code)); }
using loquat::rules::cell_name;
using loquat::rules::kind_name;

}  // namespace lessontable
