// Selection ranges of the list box.
#include "ui/listbox/list_selection.h"

#include <algorithm>

#include "values/invariant.h"

namespace ql {

void ListSelection::check() const {
  QL_IF_CHECKING_INVARIANTS(for (size_t i = 0; i < ranges_.size(); ++i) {
    QL_INVARIANT(ranges_[i].count > 0 && ranges_[i].first >= 0, "a selection range holds rows of the list");
    QL_INVARIANT(i == 0 || ranges_[i - 1].end() < ranges_[i].first,
                 "selection ranges are sorted and neither overlap nor touch");
  })
}

bool ListSelection::selected(int32_t row) const {
  auto it = std::upper_bound(ranges_.begin(), ranges_.end(), row,
                             [](int32_t r, const RowRange& range) { return r < range.first; });
  return it != ranges_.begin() && row < std::prev(it)->end();
}

int32_t ListSelection::count() const {
  int32_t n = 0;
  for (const RowRange& range : ranges_) n += range.count;
  return n;
}

void ListSelection::add(int32_t first, int32_t count) {
  if (count <= 0) return;
  RowRange merged{first, count};
  std::vector<RowRange> kept;
  kept.reserve(ranges_.size() + 1);
  for (const RowRange& range : ranges_) {
    if (range.end() < merged.first || range.first > merged.end()) {
      kept.push_back(range);
      continue;
    }
    int32_t start = std::min(range.first, merged.first);
    merged = {start, std::max(range.end(), merged.end()) - start};
  }
  kept.insert(std::upper_bound(kept.begin(), kept.end(), merged,
                               [](const RowRange& a, const RowRange& b) { return a.first < b.first; }),
              merged);
  ranges_.swap(kept);
  check();
}

void ListSelection::remove(int32_t row) {
  for (size_t i = 0; i < ranges_.size(); ++i) {
    RowRange r = ranges_[i];
    if (row < r.first || row >= r.end()) continue;
    RowRange before{r.first, row - r.first}, after{row + 1, r.end() - row - 1};
    ranges_.erase(ranges_.begin() + static_cast<std::ptrdiff_t>(i));
    if (after.count > 0) ranges_.insert(ranges_.begin() + static_cast<std::ptrdiff_t>(i), after);
    if (before.count > 0) ranges_.insert(ranges_.begin() + static_cast<std::ptrdiff_t>(i), before);
    check();
    return;
  }
}

void ListSelection::row_inserted(int32_t index) {
  std::vector<RowRange> moved;
  moved.reserve(ranges_.size() + 1);
  for (const RowRange& r : ranges_) {
    if (r.end() <= index) {
      moved.push_back(r);
    } else if (r.first >= index) {
      moved.push_back({r.first + 1, r.count});
    } else {
      // The new row splits the range and is not selected itself.
      moved.push_back({r.first, index - r.first});
      moved.push_back({index + 1, r.end() - index});
    }
  }
  ranges_.swap(moved);
  check();
}

void ListSelection::row_removed(int32_t index) {
  remove(index);
  for (RowRange& r : ranges_) {
    if (r.first > index) --r.first;
  }
  // Ranges on both sides of the removed row now touch.
  std::vector<RowRange> merged;
  for (const RowRange& r : ranges_) {
    if (!merged.empty() && merged.back().end() == r.first) {
      merged.back().count += r.count;
    } else {
      merged.push_back(r);
    }
  }
  ranges_.swap(merged);
  check();
}

}  // namespace ql
