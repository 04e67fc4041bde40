// The list box's rows and cells. A row's cells form a short singly linked list: the column-0 cell lives in
// the row and is made with it, the cells of other columns exist only once something was set for them.
#pragma once

#include <stdint.h>

#include <vector>

#include "quillet/types.h"

namespace ql {

// Cell types and alignments.
enum ListCellType : uint8_t { kCellDefault = 0, kCellCheckBox = 2, kCellEditable = 3 };
enum ListAlignment : uint8_t {
  kAlignDefault = 0,
  kAlignLeft = 1,
  kAlignCentre = 2,
  kAlignRight = 3,
  kAlignDecimal = 4
};

struct ListCell {
  ListCell* next = nullptr;
  uint8_t style = 0;            // 1 bold, 2 italic, 4 underline, added to the list's
  QlObject* picture = nullptr;  // with a reference
  QlString text = nullptr;      // with a reference
  uint8_t column = 0;
  uint8_t check = 0;
  uint8_t type = kCellDefault;  // kCellDefault: the column's
  uint8_t alignment = kAlignDefault;
  int16_t offset = 0;  // added to the alignment's x, in pixels
};

struct ListRow {
  ListCell first;               // column 0
  QlObject* picture = nullptr;  // drawn at the row's left, with a reference
  uint8_t expanded = 0;
  uint8_t depth = 0;
  uint8_t parent = 0;  // made by AddParent: can be expanded
};

// Cells hold at most this column.
constexpr int32_t kMaxCellColumn = 255;

class ListRows {
 public:
  ListRows() = default;
  ~ListRows();
  ListRows(const ListRows&) = delete;
  ListRows& operator=(const ListRows&) = delete;

  int32_t count() const { return static_cast<int32_t>(rows_.size()); }
  bool holds(int32_t row) const { return row >= 0 && row < count(); }
  ListRow* row(int32_t index) const { return rows_[index]; }

  // A new row at index (0 .. count) whose column-0 cell holds text.
  ListRow* insert(int32_t index, QlString text);
  void remove(int32_t index);
  void clear();

  // Sorts the top-level rows, each with the deeper rows after it, by their text in column, ascending by
  // the runtime's string comparison (a missing cell counts as empty).
  void sort_by_column(int32_t column);

 private:
  std::vector<ListRow*> rows_;
};

// The row's cell for column, or null.
ListCell* find_cell(ListRow* row, int32_t column);
// The row's cell for column, appended to its list when there is none yet; null for a column no cell holds.
ListCell* cell_for(ListRow* row, int32_t column);
// The text of the row's cell for column (borrowed), null when it has none.
QlString cell_text(ListRow* row, int32_t column);

}  // namespace ql
