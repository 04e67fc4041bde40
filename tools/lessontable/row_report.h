// Collects the problems of one row, naming the row, the cell and the cell's name.
#pragma once

#include <string>

#include "lessontable/problems.h"
#include "lessontable/set_plan.h"
#include "lessontable/table.h"

namespace lessontable {

class RowReport {
 public:
  RowReport(const TableRow& row, int index, Problems& problems)
      : row_(row), index_(index), kind_(kind_of_set(row.cells[kSet])), problems_(problems) {}

  void error(int cell, std::string message) {
    problems_.push_back({row_.line, index_, cell, cell_name(kind_, cell), std::move(message)});
    ++count_;
  }

  const TableRow& row() const { return row_; }
  const std::string& cell(int index) const { return row_.cells[index]; }
  RowKind kind() const { return kind_; }
  int errors() const { return count_; }

 private:
  const TableRow& row_;
  int index_;
  RowKind kind_;
  Problems& problems_;
  int count_ = 0;
};

}  // namespace lessontable
