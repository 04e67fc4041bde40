// The list box's selection: sorted ranges of rows that neither overlap nor touch.
#pragma once

#include <stdint.h>

#include <vector>

namespace ql {

struct RowRange {
  int32_t first;
  int32_t count;
  int32_t end() const { return first + count; }
};

class ListSelection {
 public:
  bool selected(int32_t row) const;
  bool empty() const { return ranges_.empty(); }
  int32_t count() const;  // selected rows
  int32_t first() const { return ranges_.empty() ? -1 : ranges_.front().first; }
  int32_t last() const { return ranges_.empty() ? -1 : ranges_.back().end() - 1; }
  const std::vector<RowRange>& ranges() const { return ranges_; }

  void clear() { ranges_.clear(); }
  void add(int32_t first, int32_t count);
  void remove(int32_t row);

  // Rows move: a row inserted at index pushes the selection from there down; a row removed there pulls it
  // up (and leaves it when it was selected).
  void row_inserted(int32_t index);
  void row_removed(int32_t index);

 private:
  // The ranges are sorted, each holds a row, and none overlaps or touches the next.
  void check() const;

  std::vector<RowRange> ranges_;
};

}  // namespace ql
