// The list's mouse, keys and selection changes, and the events and notifications they raise.
#include <algorithm>

#include "objects/objects.h"
#include "ui/events/control_events.h"
#include "ui/events/receivers.h"
#include "ui/events/window_events.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "ui/panes/pane_state.h"
#include "values/string.h"

namespace ql {

namespace {

// The runtime's key codes of the keys the list navigates with.
constexpr int32_t kKeyHome = 1, kKeyEnd = 4, kKeyPageUp = 11, kKeyPageDown = 12, kKeyUp = 30, kKeyDown = 31;
constexpr int32_t kCheckBoxWidth = 20;

bool shift_down() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

// Listeners are told first; a listener may close the window, as any handler may.
bool ListPane::begin_selection_change() {
  Receivers* listeners = fields()->listeners;
  if (!listeners || listeners->empty()) return true;
  QlObject* list = control();
  retain_object(list);
  listeners->tell_about("selectionChanging", list);
  bool alive = as_control_fields(list)->pane == this;
  release_object(list);
  return alive;
}

bool ListPane::end_selection_change(int32_t scroll_row) {
  ++selection_serial_;
  if (scroll_row >= 0) scroll_into_view(scroll_row);
  QlObject* list = control();
  retain_object(list);
  if (!in_change_) {
    in_change_ = true;
    fire_event(list, listbox_events::kChange);
    if (as_control_fields(list)->pane == this) in_change_ = false;
  }
  ListboxFields* f = as_listbox_fields(list);
  if (as_control_fields(list)->pane == this && f->listeners)
    f->listeners->tell_about("selectionChanged", list);
  if (as_control_fields(list)->pane == this && f->action_receivers)
    f->action_receivers->tell("PerformAction");
  bool alive = as_control_fields(list)->pane == this;
  release_object(list);
  return alive;
}

// Redraws the rows whose selection differs between before and now.
void ListPane::selection_rows_changed(const ListSelection& before) {
  int32_t first = top_, last = std::min(rows_.count() - 1, top_ + visible_rows());
  for (int32_t i = first; i <= last; ++i) {
    if (before.selected(i) != selection_.selected(i)) invalidate_rows(i, i);
  }
}

bool ListPane::select_only(int32_t row, bool scroll) {
  if (!begin_selection_change()) return false;
  ListSelection before = selection_;
  selection_.clear();
  if (rows_.holds(row)) selection_.add(row, 1);
  selection_rows_changed(before);
  return end_selection_change(scroll && rows_.holds(row) ? row : -1);
}

bool ListPane::set_row_selected(int32_t row, bool selected) {
  if (!rows_.holds(row) || selection_.selected(row) == selected) return true;
  if (!begin_selection_change()) return false;
  if (selected) {
    selection_.add(row, 1);
  } else {
    selection_.remove(row);
  }
  row_changed(row);
  return end_selection_change(-1);
}

bool ListPane::select_range(int32_t from, int32_t to) {
  if (from > to) std::swap(from, to);
  from = std::max(from, 0);
  to = std::min(to, rows_.count() - 1);
  if (!begin_selection_change()) return false;
  ListSelection before = selection_;
  selection_.clear();
  if (from <= to) selection_.add(from, to - from + 1);
  selection_rows_changed(before);
  return end_selection_change(-1);
}

bool ListPane::clear_selection() {
  if (selection_.empty()) return true;
  return select_only(-1, false);
}

bool ListPane::mouse_down(int32_t x, int32_t y, int32_t modifiers) {
  if (!enabled_) return false;
  QlObject* list = control();
  if (focus_pane() != this) {
    retain_object(list);
    set_focus_pane(this);
    bool alive = as_control_fields(list)->pane == this;
    release_object(list);
    if (!alive) return true;
  }
  RECT content = content_rect();
  POINT p = {x, y};
  if (!PtInRect(&content, p)) {
    if (fields()->has_heading && y < content.top) heading_click(x);
    return true;
  }
  int32_t row = row_at(y);
  DWORD now = GetTickCount();
  bool again = row == last_press_row_ && rows_.holds(row) && selection_.selected(row) &&
               modifiers == last_press_modifiers_ && selection_serial_ == last_press_serial_ &&
               now / 60 < last_press_tick_ / 60 + GetDoubleClickTime() / 60;
  last_press_tick_ = now;
  last_press_modifiers_ = modifiers;
  last_press_row_ = row;
  if (again) {
    // A third press starts over rather than making a second double click.
    last_press_row_ = -1;
    raise_on_control(this, listbox_events::kDoubleClick);
    return true;
  }
  if (rows_.holds(row) && (toggle_check_box(row, x) || disclosure_click(row, x))) {
    last_press_row_ = -1;
    return true;
  }
  bool alive;
  if (!rows_.holds(row)) {
    alive = clear_selection();
  } else if (multiple() && (modifiers & kModifierShift)) {
    int32_t anchor = selection_.count() == 1 ? selection_.first() : anchor_;
    alive = select_range(anchor >= 0 ? anchor : row, row);
  } else {
    anchor_ = row;
    alive = select_only(row, true);
  }
  if (!alive) return true;
  last_press_serial_ = selection_serial_;
  drag_row_ = row;
  start_tracking(this);
  return true;
}

void ListPane::mouse_drag(int32_t x, int32_t y) {
  (void)x;
  if (!enabled_ || rows_.count() == 0) return;
  RECT content = content_rect();
  int32_t row;
  if (y < content.top) {
    scroll_to(top_ - 1);
    row = top_;
  } else if (y >= content.bottom) {
    scroll_to(top_ + 1);
    row = std::min(top_ + visible_rows() - 1, rows_.count() - 1);
  } else {
    row = row_at(y);
  }
  if (!rows_.holds(row) || row == drag_row_) return;
  drag_row_ = row;
  if (multiple()) {
    select_range(anchor_ >= 0 ? anchor_ : row, row);
  } else {
    select_only(row, true);
  }
  last_press_serial_ = selection_serial_;
}

void ListPane::heading_click(int32_t x) {
  ListboxFields* f = fields();
  int32_t left = content_rect().left;
  for (int32_t column = 0; column < f->column_count; ++column) {
    int32_t right = left + f->widths[column] + (column == f->column_count - 1 ? kListScrollBarWidth : 0);
    if (x >= left && x < right) {
      bool handled = false;
      if (!raise_boolean_on_control(this, handled, listbox_events::kSortColumn, column)) return;
      if (!handled) sort(column);
      return;
    }
    left += f->widths[column];
  }
}

bool ListPane::toggle_check_box(int32_t row, int32_t x) {
  ListboxFields* f = fields();
  int32_t left = content_rect().left;
  for (int32_t column = 0; column < f->column_count; ++column) {
    int32_t width = f->widths[column];
    if (x >= left && x < left + width) {
      ListRow* r = rows_.row(row);
      ListCell* cell = find_cell(r, column);
      uint8_t type = cell && cell->type != kCellDefault ? cell->type : column_type[column];
      int32_t box = left + 4 + (column == 0 && f->hierarchical ? 16 + 12 * r->depth : 0);
      if (type != kCellCheckBox || x < box || x >= box + kCheckBoxWidth) return false;
      cell = cell_to_change(row, column);
      if (!cell) return false;
      cell->check = !cell->check;
      row_changed(row);
      raise_on_control(this, listbox_events::kCellAction, row, column);
      return true;
    }
    left += width;
  }
  return false;
}

bool ListPane::disclosure_click(int32_t row, int32_t x) {
  ListRow* r = rows_.row(row);
  if (!fields()->hierarchical || !r->parent) return false;
  int32_t left = content_rect().left + 12 * r->depth;
  if (x < left || x >= left + 20) return false;
  set_expanded(row, !r->expanded);
  return true;
}

bool ListPane::key_down(int32_t key) {
  char c = static_cast<char>(key);
  QlString text = string_from_bytes(&c, 1);
  bool consumed = false;
  bool alive = raise_boolean_on_control(this, consumed, rect_control_events::kKeyDown, text);
  string_release(text);
  if (!alive || consumed) return true;
  int32_t page = visible_rows();
  switch (key) {
    case kKeyHome:
      scroll_to(0);
      return true;
    case kKeyEnd:
      scroll_to(rows_.count());
      return true;
    case kKeyPageUp:
      scroll_to(top_ - page);
      return true;
    case kKeyPageDown:
      scroll_to(top_ + page);
      return true;
    case kKeyUp:
    case kKeyDown: {
      if (rows_.count() == 0) return true;
      bool up = key == kKeyUp;
      if (selection_.empty()) {
        select_only(0, true);
      } else if (multiple() && shift_down()) {
        int32_t next = up ? selection_.first() - 1 : selection_.last() + 1;
        if (rows_.holds(next) && set_row_selected(next, true)) scroll_into_view(next);
      } else if (selection_.count() == 1) {
        int32_t next = selection_.first() + (up ? -1 : 1);
        if (rows_.holds(next)) select_only(next, true);
      } else {
        select_only(up ? selection_.first() : selection_.last(), true);
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ql
