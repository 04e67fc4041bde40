// Collects the problems of one row, naming the row, the cell and the cell's name, from lessontable's own
// checks and from the rules it shares with the editor.
#pragma once

#include <string>

#include "lessontable/problems.h"
#include "lessontable/table.h"
#include "rules/row_rules.h"

namespace lessontable {

class RowReport {
 public:
  RowReport(const TableRow& row, int index, Problems& problems)
      : row_(row),
        index_(index),
        kind_(kind_of_set(row.cells[kSet])),
        problems_(problems),
        shared_(&RowReport::receive, this, kind_) {
    for (int cell = 0; cell < kCellCount; ++cell) cells_.cells[cell] = span_of(row.cells[cell]);
  }
  RowReport(const RowReport&) = delete;
  RowReport& operator=(const RowReport&) = delete;

  void error(int cell, std::string message) {
    problems_.push_back({row_.line, index_, cell, cell_name(kind_, cell), std::move(message)});
  }

  const TableRow& row() const { return row_; }
  const std::string& cell(int index) const { return row_.cells[index]; }
  RowKind kind() const { return kind_; }
  // The row and the report as the shared rules take them.
  const loquat::rules::Row& cells() const { return cells_; }
  loquat::rules::Report& shared() { return shared_; }

 private:
  static void receive(void* context, int cell, loquat::rules::Span message) {
    static_cast<RowReport*>(context)->error(cell, string_of(message));
  }

  const TableRow& row_;
  int index_;
  RowKind kind_;
  Problems& problems_;
  loquat::rules::Row cells_;
  loquat::rules::Report shared_;
};

}  // namespace lessontable
