// Fuzz target: the list box's platform-free parts driven by random changes. The selection must stay the
// ranges of a plain set of rows (its invariants checked as it changes), the rows must keep every top-level
// row with its deeper rows through sorts, column widths must share the pane without wrapping, and position
// changes must clamp at the 16-bit edges.
#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fuzz_bytes.h"
#include "ui/listbox/list_columns.h"
#include "ui/listbox/list_rows.h"
#include "ui/listbox/list_selection.h"
#include "ui/panes/positions.h"
#include "values/string.h"

namespace {

using Input = ql::fuzzing::FuzzBytes;

void check_selection(const ql::ListSelection& selection, const std::set<int32_t>& rows) {
  std::vector<int32_t> listed;
  for (const ql::RowRange& r : selection.ranges()) {
    for (int32_t row = r.first; row < r.end(); ++row) listed.push_back(row);
  }
  if (listed != std::vector<int32_t>(rows.begin(), rows.end())) __builtin_trap();
}

// Each top-level row carries a tag in column 1 that its deeper rows repeat; a sort must keep them together.
void check_groups(const ql::ListRows& rows) {
  const char* tag = nullptr;
  for (int32_t i = 0; i < rows.count(); ++i) {
    const char* here = ql::string_cview(ql::cell_text(rows.row(i), 1));
    if (rows.row(i)->depth == 0) {
      tag = here;
    } else if (tag && std::string(tag) != here) {
      __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return -1;
  Input in{data, size};
  ql::ListSelection selection;
  std::set<int32_t> selected;
  ql::ListRows rows;
  int tags = 0;
  while (in.size) {
    const uint8_t op = in.byte();
    const int32_t at = in.byte() % 128;
    switch (op % 8) {
      case 0: {
        const int32_t count = in.byte() % 16;
        selection.add(at, count);
        for (int32_t r = at; r < at + count; ++r) selected.insert(r);
        break;
      }
      case 1:
        selection.remove(at);
        selected.erase(at);
        break;
      case 2: {
        selection.row_inserted(at);
        std::set<int32_t> moved;
        for (int32_t r : selected) moved.insert(r >= at ? r + 1 : r);
        selected.swap(moved);
        break;
      }
      case 3: {
        selection.row_removed(at);
        std::set<int32_t> moved;
        for (int32_t r : selected) {
          if (r != at) moved.insert(r > at ? r - 1 : r);
        }
        selected.swap(moved);
        break;
      }
      case 4: {  // a top-level row and some deeper rows after it, at the end or before another top-level row
        if (rows.count() > 300) break;
        int32_t index = rows.count();
        for (int32_t i = 0; i < rows.count(); ++i) {
          if (rows.row(i)->depth == 0 && i >= at) {
            index = i;
            break;
          }
        }
        const std::string tag = std::to_string(tags++);
        const int deeper = in.byte() % 4;
        for (int d = deeper; d >= 0; --d) {
          char text[2] = {static_cast<char>(in.byte()), 0};
          QlString cell = ql::string_from_cstr(text);
          ql::ListRow* row = rows.insert(index, cell);
          ql::string_release(cell);
          row->depth = static_cast<uint8_t>(d == 0 ? 0 : 1);
          QlString tag_text = ql::string_from_cstr(tag.c_str());
          ql::string_assign(ql::cell_for(row, 1)->text, tag_text);
          ql::string_release(tag_text);
        }
        break;
      }
      case 5:
        if (rows.count() > 0) {
          // Removing a top-level row removes its deeper rows too, as the list's own removal keeps groups
          // whole.
          int32_t index = at % rows.count();
          while (index > 0 && rows.row(index)->depth != 0) --index;
          do {
            rows.remove(index);
          } while (index < rows.count() && rows.row(index)->depth != 0);
        }
        break;
      case 6:
        rows.sort_by_column(in.byte() % 3);
        break;
      default: {
        int16_t widths[ql::kListHeadings];
        const int32_t count = ql::clamp_column_count(in.word());
        const int32_t width = in.word() & 0xFFFF;
        std::string text;
        for (int n = in.byte() % 24; n > 0; --n) text += static_cast<char>("0123456789%,-x"[in.byte() % 14]);
        ql::compute_column_widths(text, count, width, widths);
        int64_t sum = 0;
        for (int32_t i = 0; i < count; ++i) {
          if (widths[i] < 0) __builtin_trap();
          sum += widths[i];
        }
        if (width <= 0x7FFF + ql::kListScrollBarWidth && sum != std::max(0, width - ql::kListScrollBarWidth))
          __builtin_trap();
        ql::Rect16 r = ql::make_rect(in.word(), in.word(), in.word(), in.word());
        const int32_t which = in.byte() % 5;
        const int32_t value = in.word();
        ql::change_position(r, which, value);
        if (which == 0 && r.left != ql::clamp16(value)) __builtin_trap();
        if (which == 1 && r.top != ql::clamp16(value)) __builtin_trap();
      }
    }
    check_selection(selection, selected);
    check_groups(rows);
  }
  return 0;
}
