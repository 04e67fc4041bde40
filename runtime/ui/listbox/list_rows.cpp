// Row and cell storage of the list box.
#include "ui/listbox/list_rows.h"

#include <algorithm>

#include "objects/objects.h"
#include "quillet/strings.h"
#include "values/string.h"

namespace ql {

namespace {

void release_cell(ListCell* cell) {
  string_release(cell->text);
  release_object(cell->picture);
}

void delete_row(ListRow* row) {
  for (ListCell* cell = row->first.next; cell;) {
    ListCell* next = cell->next;
    release_cell(cell);
    delete cell;
    cell = next;
  }
  release_cell(&row->first);
  release_object(row->picture);
  delete row;
}

}  // namespace

ListRows::~ListRows() { clear(); }

ListRow* ListRows::insert(int32_t index, QlString text) {
  auto* row = new ListRow;
  string_retain(text);
  row->first.text = text;
  rows_.insert(rows_.begin() + index, row);
  return row;
}

void ListRows::remove(int32_t index) {
  ListRow* row = rows_[index];
  rows_.erase(rows_.begin() + index);
  delete_row(row);
}

void ListRows::clear() {
  for (ListRow* row : rows_) delete_row(row);
  rows_.clear();
}

void ListRows::sort_by_column(int32_t column) {
  struct Group {
    size_t first, count;
  };
  std::vector<Group> groups;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (groups.empty() || rows_[i]->depth == 0) {
      groups.push_back({i, 1});
    } else {
      ++groups.back().count;
    }
  }
  std::stable_sort(groups.begin(), groups.end(), [&](const Group& a, const Group& b) {
    return RuntimeStringCompare(cell_text(rows_[a.first], column), cell_text(rows_[b.first], column)) < 0;
  });
  std::vector<ListRow*> sorted;
  sorted.reserve(rows_.size());
  for (const Group& g : groups)
    sorted.insert(sorted.end(), rows_.begin() + g.first, rows_.begin() + g.first + g.count);
  rows_.swap(sorted);
}

ListCell* find_cell(ListRow* row, int32_t column) {
  for (ListCell* cell = &row->first; cell; cell = cell->next) {
    if (cell->column == column) return cell;
  }
  return nullptr;
}

ListCell* cell_for(ListRow* row, int32_t column) {
  if (column < 0 || column > kMaxCellColumn) return nullptr;
  ListCell* last = &row->first;
  for (ListCell* cell = &row->first; cell; cell = cell->next) {
    if (cell->column == column) return cell;
    last = cell;
  }
  last->next = new ListCell;
  last->next->column = static_cast<uint8_t>(column);
  return last->next;
}

QlString cell_text(ListRow* row, int32_t column) {
  ListCell* cell = find_cell(row, column);
  return cell ? cell->text : nullptr;
}

}  // namespace ql
