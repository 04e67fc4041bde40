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

PopupPane::~PopupPane() {
  if (hwnd_ && IsWindow(hwnd_)) release_tags();
}

bool PopupPane::build() {
  if (!create_native("COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST | WS_TABSTOP, 0, "", kDropDownHeight))
    return false;
  adopt(hwnd_);
  subclass();
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
  return true;
}

int32_t PopupPane::count() const { return static_cast<int32_t>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)); }

void PopupPane::add(QlString text) {
  LRESULT row = SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(string_cview(text)));
  if (row >= 0) SendMessageA(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(row), 0);
}

void PopupPane::insert(int32_t row, QlString text) {
  LRESULT at = SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(row),
                            reinterpret_cast<LPARAM>(string_cview(text)));
  if (at >= 0) SendMessageA(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(at), 0);
}

void PopupPane::remove(int32_t row) {
  QlObject* old = tag(row);
  SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
  release_object(old);
}

void PopupPane::release_tags() {
  std::vector<QlObject*> tags;
  for (int32_t row = 0, n = count(); row < n; ++row) {
    if (QlObject* t = tag(row)) tags.push_back(t);
    SendMessageA(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(row), 0);
  }
  for (QlObject* t : tags) release_object(t);
}

void PopupPane::remove_all() {
  release_tags();
  SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
}

int32_t PopupPane::selection() const { return static_cast<int32_t>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }

void PopupPane::select(int32_t row) {
  SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(holds(row) ? row : -1), 0);
  changed();
}

QlString PopupPane::row_text(int32_t row) const {
  if (!holds(row)) return nullptr;
  LRESULT length = SendMessageA(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length <= 0) return nullptr;
  std::vector<char> bytes(static_cast<size_t>(length) + 1);
  LRESULT got =
      SendMessageA(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(bytes.data()));
  return got > 0 ? string_from_bytes(bytes.data(), static_cast<int32_t>(got)) : nullptr;
}

void PopupPane::set_row_text(int32_t row, QlString text) {
  // A combo box row's text is replaced by replacing the row; its tag and the selection stay.
  QlObject* kept = tag(row);
  bool was_selected = selection() == row;
  SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(row), 0);
  SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(string_cview(text)));
  SendMessageA(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(kept));
  if (was_selected) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

QlObject* PopupPane::tag(int32_t row) const {
  LRESULT data = SendMessageA(hwnd_, CB_GETITEMDATA, static_cast<WPARAM>(row), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<QlObject*>(data);
}

void PopupPane::set_tag(int32_t row, QlObject* t) {
  QlObject* old = tag(row);
  retain_object(t);
  SendMessageA(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(t));
  release_object(old);
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
  RECT r = rect_in_parent(kDropDownHeight);
  MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, redraw);
}

bool PopupPane::can_take_focus() { return enabled_ && visible(); }

void PopupPane::gain_focus() {
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  raise_on_control(this, rect_control_events::kGotFocus);
}

void PopupPane::lose_focus() { raise_on_control(this, rect_control_events::kLostFocus); }

}  // namespace ql
