// Changing the list's rows, cells and headings, and loading its initial value.
#include <algorithm>

#include "objects/objects.h"
#include "ui/events/control_events.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "values/string.h"

namespace ql {

void ListPane::add_row(QlString text, bool parent) {
  int32_t index = rows_.count();
  uint8_t depth = 0;
  if (expanding_row_ >= 0 && expanding_row_ < rows_.count()) {
    // Inside ExpandRow: after the expanding row's children so far, one level deeper.
    depth = static_cast<uint8_t>(rows_.row(expanding_row_)->depth + 1);
    index = expanding_row_ + 1;
    while (index < rows_.count() && rows_.row(index)->depth >= depth) ++index;
  }
  {
    Lock lock(lock_);
    ListRow* row = rows_.insert(index, text);
    row->depth = depth;
    row->parent = parent;
  }
  if (index < rows_.count() - 1) {
    selection_.row_inserted(index);
    if (anchor_ >= index) ++anchor_;
  }
  fields()->last_index = index;
  invalidate_from(index);
  rows_changed();
}

void ListPane::insert_row(int32_t index, QlString text) {
  index = std::clamp(index, 0, rows_.count());
  {
    Lock lock(lock_);
    ListRow* row = rows_.insert(index, text);
    // A row inserted among children joins their level.
    if (index > 0 && index < rows_.count() - 1) row->depth = rows_.row(index + 1)->depth;
  }
  selection_.row_inserted(index);
  if (anchor_ >= index) ++anchor_;
  fields()->last_index = index;
  invalidate_from(index);
  rows_changed();
}

void ListPane::remove_row(int32_t index) {
  {
    Lock lock(lock_);
    rows_.remove(index);
  }
  selection_.row_removed(index);
  if (anchor_ == index) anchor_ = -1;
  if (anchor_ > index) --anchor_;
  last_press_row_ = -1;
  invalidate_from(index);
  rows_changed();
}

void ListPane::remove_all_rows() {
  {
    Lock lock(lock_);
    rows_.clear();
  }
  selection_.clear();
  anchor_ = last_press_row_ = -1;
  top_ = 0;
  rows_changed();
  redraw();
}

void ListPane::set_cell(int32_t row, int32_t column, QlString text) {
  {
    Lock lock(lock_);
    ListRow* r = rows_.row(row);
    // An empty text needs no cell: a column without one reads as empty all the same.
    ListCell* cell = text ? cell_for(r, column) : find_cell(r, column);
    if (!cell) return;
    string_assign(cell->text, text);
  }
  row_changed(row);
}

ListCell* ListPane::cell_to_change(int32_t row, int32_t column) {
  Lock lock(lock_);
  return cell_for(rows_.row(row), column);
}

void ListPane::row_changed(int32_t row) { invalidate_rows(row, row); }

void ListPane::sort(int32_t column) {
  // The selected rows stay selected wherever they move.
  std::vector<ListRow*> selected;
  for (const RowRange& range : selection_.ranges())
    for (int32_t i = range.first; i < range.end() && i < rows_.count(); ++i) selected.push_back(rows_.row(i));
  {
    Lock lock(lock_);
    rows_.sort_by_column(column);
  }
  selection_.clear();
  for (int32_t i = 0; i < rows_.count() && !selected.empty(); ++i) {
    if (std::find(selected.begin(), selected.end(), rows_.row(i)) != selected.end()) selection_.add(i, 1);
  }
  anchor_ = last_press_row_ = -1;
  redraw();
}

void ListPane::set_expanded(int32_t row, bool expanded) {
  ListRow* r = rows_.row(row);
  if (!r->parent || static_cast<bool>(r->expanded) == expanded) return;
  r->expanded = expanded;
  row_changed(row);
  if (expanded) {
    int32_t outer = expanding_row_;
    expanding_row_ = row;
    bool alive = raise_on_control(this, listbox_events::kExpandRow, row);
    if (alive) expanding_row_ = outer;
    return;
  }
  // Collapsing takes the children away.
  while (row + 1 < rows_.count() && rows_.row(row + 1)->depth > r->depth) remove_row(row + 1);
  raise_on_control(this, listbox_events::kCollapseRow, row);
}

QlString ListPane::heading(int32_t column) const {
  return column >= 0 && column < kListHeadings ? headings_[column] : nullptr;
}

void ListPane::set_heading(int32_t column, QlString text) {
  if (column < 0 || column >= kListHeadings) return;
  string_assign(headings_[column], text);
  if (fields()->has_heading) redraw();
}

// One pass over the text: a tab ends a cell, a carriage return ends a line's last cell; a line feed is
// text. The first line gives the headings of a list that has them.
void ListPane::load_rows(QlString value) {
  ListboxFields* f = fields();
  const char* text = string_cview(value);
  const int32_t length = string_length(value);
  // One redraw for the whole text rather than one per row and cell.
  const bool was_redrawing = !no_redraw;
  no_redraw = true;
  int32_t column = 0;
  bool first_line = true;
  auto store = [&](int32_t from, int32_t to) {
    QlString cell = to > from ? string_from_bytes(text + from, to - from) : nullptr;
    if (first_line && f->has_heading) {
      if (column < kListHeadings) set_heading(column, cell);
    } else if (column == 0) {
      add_row(cell, false);
    } else if (rows_.count() > 0) {
      set_cell(f->last_index, column, cell);
    }
    string_release(cell);
  };
  int32_t start = 0;
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] == '\t') {
      store(start, i);
      ++column;
      start = i + 1;
    } else if (text[i] == '\r') {
      store(start, i);
      column = 0;
      first_line = false;
      start = i + 1;
    }
  }
  if (start < length) store(start, length);
  no_redraw = !was_redrawing;
  redraw();
}

}  // namespace ql
