// The list box's platform-free parts: selection ranges against a plain set of rows through long runs of
// changes, rows sorted with their deeper rows, column widths, and position arithmetic at the 16-bit edges.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "ui/listbox/list_columns.h"
#include "ui/listbox/list_rows.h"
#include "ui/listbox/list_selection.h"
#include "ui/panes/positions.h"
#include "unit/values/string_test_support.h"

namespace ql::testing {
namespace {

// The selection a set of rows stands for: its ranges, sorted, neither overlapping nor touching.
std::vector<std::pair<int32_t, int32_t>> ranges_of(const std::set<int32_t>& rows) {
  std::vector<std::pair<int32_t, int32_t>> out;
  for (int32_t row : rows) {
    if (!out.empty() && out.back().first + out.back().second == row) {
      ++out.back().second;
    } else {
      out.push_back({row, 1});
    }
  }
  return out;
}

std::vector<std::pair<int32_t, int32_t>> ranges_of(const ListSelection& selection) {
  std::vector<std::pair<int32_t, int32_t>> out;
  for (const RowRange& r : selection.ranges()) out.push_back({r.first, r.count});
  return out;
}

TEST(ListSelection, FollowsEveryChangeAsASetOfRowsWould) {
  std::mt19937 random(20261209);
  for (int run = 0; run < 50; ++run) {
    ListSelection selection;
    std::set<int32_t> rows;
    for (int step = 0; step < 400; ++step) {
      const int32_t at = static_cast<int32_t>(random() % 60);
      switch (random() % 5) {
        case 0: {
          const int32_t count = static_cast<int32_t>(random() % 8);
          selection.add(at, count);
          for (int32_t r = at; r < at + count; ++r) rows.insert(r);
          break;
        }
        case 1:
          selection.remove(at);
          rows.erase(at);
          break;
        case 2: {  // a row inserted at `at`: unselected, the rows from there move down
          selection.row_inserted(at);
          std::set<int32_t> moved;
          for (int32_t r : rows) moved.insert(r >= at ? r + 1 : r);
          rows.swap(moved);
          break;
        }
        case 3: {  // the row at `at` removed: the rows below it move up
          selection.row_removed(at);
          std::set<int32_t> moved;
          for (int32_t r : rows) {
            if (r != at) moved.insert(r > at ? r - 1 : r);
          }
          rows.swap(moved);
          break;
        }
        default:
          if (random() % 10 == 0) {
            selection.clear();
            rows.clear();
          }
      }
      ASSERT_EQ(ranges_of(selection), ranges_of(rows)) << "run " << run << " step " << step;
      ASSERT_EQ(selection.count(), static_cast<int32_t>(rows.size()));
      ASSERT_EQ(selection.first(), rows.empty() ? -1 : *rows.begin());
      ASSERT_EQ(selection.last(), rows.empty() ? -1 : *rows.rbegin());
      ASSERT_EQ(selection.selected(at), rows.count(at) == 1);
    }
  }
}

// Rows as "text/depth" for comparison.
std::vector<std::string> shown(const ListRows& rows) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < rows.count(); ++i) {
    out.push_back(text(cell_text(rows.row(i), 0)) + "/" + std::to_string(rows.row(i)->depth) + "/" +
                  text(cell_text(rows.row(i), 2)));
  }
  return out;
}

TEST(ListRows, SortKeepsEachRowWithItsDeeperRowsAndCellsStayWithTheirRow) {
  ListRows rows;
  const char* texts[] = {"pear", "apple", "seed", "fig", "Banana", "core"};
  const uint8_t depths[] = {0, 0, 1, 0, 0, 1};
  for (int i = 0; i < 6; ++i) {
    ListRow* row = rows.insert(rows.count(), make(texts[i]).get());
    row->depth = depths[i];
  }
  // A cell of column 2 for two rows; column 1 stays missing, which sorts as empty.
  string_assign(cell_for(rows.row(1), 2)->text, make("two").get());
  string_assign(cell_for(rows.row(4), 2)->text, make("B2").get());
  EXPECT_EQ(cell_for(rows.row(0), 256), nullptr);
  EXPECT_EQ(cell_for(rows.row(0), -1), nullptr);
  EXPECT_EQ(find_cell(rows.row(0), 1), nullptr);

  rows.sort_by_column(0);
  // The runtime's comparison ignores case: "Banana" sorts between "apple" and "fig"; "seed" stays under
  // "apple" and "core" under "Banana".
  EXPECT_EQ(shown(rows), (std::vector<std::string>{"apple/0/two", "seed/1/", "Banana/0/B2", "core/1/",
                                                   "fig/0/", "pear/0/"}));
  rows.sort_by_column(2);  // only two top-level rows have the cell; the others keep their order before them
  EXPECT_EQ(shown(rows), (std::vector<std::string>{"fig/0/", "pear/0/", "Banana/0/B2", "core/1/",
                                                   "apple/0/two", "seed/1/"}));
  rows.remove(2);
  EXPECT_EQ(rows.count(), 5);
  EXPECT_EQ(shown(rows)[2], "core/1/");
  rows.clear();
  EXPECT_EQ(rows.count(), 0);
}

TEST(ListColumns, CountsAndWidthsShareThePaneAndStayWithinSixteenBits) {
  EXPECT_EQ(clamp_column_count(0), 1);
  EXPECT_EQ(clamp_column_count(5), 5);
  EXPECT_EQ(clamp_column_count(64), kMaxListColumns);
  EXPECT_EQ(clamp_column_count(-1), kMaxListColumns);

  int16_t widths[kListHeadings] = {};
  // 217 pixels less the scroll bar leave 200: 25% is 50, 30 is 30, the missing third shares what remains
  // with the last, which takes the rest.
  compute_column_widths("25%,30", 4, 217, widths);
  EXPECT_EQ(std::vector<int16_t>(widths, widths + 4), (std::vector<int16_t>{50, 30, 60, 60}));
  compute_column_widths("-5,x9y,500", 3, 117, widths);  // negative is 0, digits only, capped by what remains
  EXPECT_EQ(std::vector<int16_t>(widths, widths + 3), (std::vector<int16_t>{0, 9, 91}));
  compute_column_widths("", 2, 10, widths);  // narrower than the scroll bar: nothing to share
  EXPECT_EQ(std::vector<int16_t>(widths, widths + 2), (std::vector<int16_t>{0, 0}));
  // A pane 65535 pixels wide leaves more than a 16-bit width holds: the widths saturate, never wrap.
  compute_column_widths("", 1, 65535, widths);
  EXPECT_EQ(widths[0], 32767);
  compute_column_widths("40000", 2, 65535, widths);
  EXPECT_EQ(widths[0], 32767);
  EXPECT_GE(widths[1], 0);
}

TEST(Positions, MovesAndSizesClampAtTheSixteenBitEdgesWithoutWrapping) {
  Rect16 r = make_rect(10, 20, 30, 40);
  EXPECT_EQ(rect_position(r, 0), 10);
  EXPECT_EQ(rect_position(r, 1), 20);
  EXPECT_EQ(rect_position(r, 2), 30);
  EXPECT_EQ(rect_position(r, 3), 40);
  EXPECT_EQ(rect_position(r, 4), 0);
  EXPECT_TRUE(change_position(r, 0, 100));  // Left keeps the width
  EXPECT_EQ(r, make_rect(100, 20, 30, 40));
  EXPECT_FALSE(change_position(r, 0, 100));
  EXPECT_FALSE(change_position(r, 7, 5));
  // Values at the ends of 32 bits saturate at the 16-bit edges.
  EXPECT_TRUE(change_position(r, 0, INT32_MAX));
  EXPECT_EQ(r.left, 32767);
  EXPECT_EQ(r.right, 32767);
  EXPECT_TRUE(change_position(r, 1, INT32_MIN));
  EXPECT_EQ(r.top, -32768);
  EXPECT_EQ(r.bottom, -32768);
  r = make_rect(0, 0, 10, 10);
  EXPECT_TRUE(change_position(r, 2, INT32_MAX));
  EXPECT_EQ(r.width(), 32767);
  EXPECT_TRUE(change_position(r, 3, INT32_MIN));
  EXPECT_EQ(r.bottom, -32768);
  EXPECT_EQ(make_rect(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX), (Rect16{-32768, 32767, -1, 32767}));
}

}  // namespace
}  // namespace ql::testing
