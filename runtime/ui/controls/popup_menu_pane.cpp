// The popup menu's pane: the combo box, its rows and their tags, and the change notification.
#include <vector>

#include "objects/objects.h"
#include "ui/controls/popup_menu_pane.h"
#include "ui/events/control_events.h"
#include "ui/events/receivers.h"
#include "ui/events/window_events.h"
#include "ui/panes/pane_state.h"
#include "values/string.h"

namespace ql {

PopupPane::PopupPane(QlObject* popup, WindowPane* window, const Rect16& rect)
    : NativeControlPane(popup, window, rect) {}

PopupPane::~PopupPane() { release_rows(); }

bool PopupPane::build() {
  PopupMenuFields* f = as_popup_menu_fields(control());
  QlString rows = f->initial_value;
  f->initial_value = nullptr;
  // Rows end at a carriage return, a line feed or the pair; nothing follows the last separator.
  const char* text = string_cview(rows);
  const int32_t length = string_length(rows);
  auto add_part = [&](int32_t from, int32_t to) {
    QlString row = string_from_bytes(text + from, to - from);
    add(row);
    string_release(row);
  };
  int32_t start = 0;
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) add_part(start, i);
    start = i + 1;
  }
  if (start < length) add_part(start, length);
  string_release(rows);
  defer();
  return true;
}

bool PopupPane::make_platform_window() {
  if (!create_native("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST | WS_TABSTOP, 0, "", kDropDownHeight))
    return false;
  adopt(hwnd_);
  subclass();
  for (const Row& row : rows_)
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(string_cview(row.text)));
  if (selection_ >= 0) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
  return true;
}

void PopupPane::add(QlString text) {
  string_retain(text);
  rows_.push_back({text, nullptr});
  if (hwnd_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(string_cview(text)));
}

void PopupPane::insert(int32_t row, QlString text) {
  if (row == -1) row = count();
  if (row < 0 || row > count()) return;
  string_retain(text);
  rows_.insert(rows_.begin() + row, {text, nullptr});
  if (selection_ >= row) ++selection_;
  if (hwnd_)
    SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(string_cview(text)));
}

void PopupPane::remove(int32_t row) {
  Row gone = rows_[static_cast<size_t>(row)];
  rows_.erase(rows_.begin() + row);
  // The combo box's rule: removing the selected row leaves none selected, a row above it moves it up.
  if (selection_ == row) {
    selection_ = -1;
  } else if (selection_ > row) {
    --selection_;
  }
  if (hwnd_) SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
  string_release(gone.text);
  release_object(gone.tag);
}

void PopupPane::release_rows() {
  std::vector<Row> rows;
  rows.swap(rows_);
  selection_ = -1;
  for (const Row& row : rows) {
    string_release(row.text);
    release_object(row.tag);
  }
}

void PopupPane::remove_all() {
  release_rows();
  if (hwnd_) SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
}

void PopupPane::select(int32_t row) {
  selection_ = holds(row) ? row : -1;
  if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
  changed();
}

QlString PopupPane::row_text(int32_t row) const {
  if (!holds(row)) return nullptr;
  QlString text = rows_[static_cast<size_t>(row)].text;
  if (string_length(text) == 0) return nullptr;
  string_retain(text);
  return text;
}

void PopupPane::set_row_text(int32_t row, QlString text) {
  string_retain(text);
  string_release(rows_[static_cast<size_t>(row)].text);
  rows_[static_cast<size_t>(row)].text = text;
  if (!hwnd_) return;
  // A combo box row's text is replaced by replacing the row; the selection stays.
  SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
  SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(string_cview(text)));
  if (selection_ == row) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

QlObject* PopupPane::tag(int32_t row) const {
  return holds(row) ? rows_[static_cast<size_t>(row)].tag : nullptr;
}

void PopupPane::set_tag(int32_t row, QlObject* t) {
  QlObject*& held = rows_[static_cast<size_t>(row)].tag;
  retain_object(t);
  release_object(held);
  held = t;
}

void PopupPane::changed() {
  if (in_change_) return;
  QlObject* popup = control();
  retain_object(popup);
  in_change_ = true;
  fire_event(popup, popup_menu_events::kChange);
  if (as_control_fields(popup)->pane == this) {
    in_change_ = false;
    if (Receivers* receivers = as_popup_menu_fields(popup)->receivers) receivers->tell("PerformAction");
  }
  release_object(popup);
}

bool PopupPane::command(int32_t notification) {
  switch (notification) {
    case CBN_SELCHANGE:
      selection_ = static_cast<int32_t>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
      changed();
      return true;
    case CBN_SETFOCUS:
      set_focus_pane(this);
      return true;
    case CBN_KILLFOCUS:
      if (focus_pane() == this) set_focus_pane(nullptr);
      return true;
    default:
      return false;
  }
}

LRESULT PopupPane::window_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
  // Keys the open list does not need go to the window: Tab, and Return and Escape while it is closed.
  if (message == WM_CHAR && (wparam == '\t' || wparam == '\r' || wparam == 27) &&
      !SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) && offer_to_window(static_cast<int32_t>(wparam)))
    return 0;
  return NativeControlPane::window_procedure(message, wparam, lparam);
}

void PopupPane::set_bounds(const Rect16& rect, bool redraw) {
  if (rect == bounds) return;
  if (redraw) invalidate();
  bounds = rect;
  width = rect.width();
  height = rect.height();
  if (redraw) invalidate();
  if (hwnd_) {
    RECT r = rect_in_parent(kDropDownHeight);
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, redraw);
  }
  realize_if_seen();
}

bool PopupPane::can_take_focus() { return enabled_ && visible(); }

void PopupPane::gain_focus() {
  realize();
  if (hwnd_ && GetFocus() != hwnd_) SetFocus(hwnd_);
  raise_on_control(this, rect_control_events::kGotFocus);
}

void PopupPane::lose_focus() { raise_on_control(this, rect_control_events::kLostFocus); }

}  // namespace ql
