// The Listbox language object: the fields its properties and entry points keep while the pane may not
// exist, padded to the SDK's layout.
#pragma once

#include "ui/controls/control_object.h"
#include "ui/listbox/list_columns.h"

namespace ql {

class ListPane;
class Receivers;

enum ListSelectionType : int32_t { kSingleSelection = 0, kMultipleSelection = 1 };

struct ListboxFields {
  ControlFields control;
  int32_t column_count;
  QlString column_widths;         // the ColumnWidths text as given
  int16_t widths[kListHeadings];  // computed, one per column
  uint8_t has_heading, hierarchical, grid_lines, enable_drag;
  int32_t last_index;      // the row most recently added or inserted
  QlString initial_value;  // consumed when the pane is built
  int32_t selection_type;
  Receivers* listeners;         // told selectionChanging and selectionChanged
  Receivers* action_receivers;  // told PerformAction when the selection changed
};

struct ListboxObject : ListboxFields {
  uint8_t reserved[sizeof(QlListboxBase) - sizeof(ListboxFields)];
};
static_assert(sizeof(ListboxObject) == sizeof(QlListboxBase), "Listbox matches the SDK's layout");

inline ListboxFields* as_listbox_fields(QlObject* object) { return reinterpret_cast<ListboxFields*>(object); }

// The list's pane, or null while it is not built (or for nil).
ListPane* list_pane_of(QlObject* list);

}  // namespace ql
