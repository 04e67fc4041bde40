// The edit field's pane: making the system control of the field's kind, its colours, text, notifications
// and keys.
#include <richedit.h>

#include <vector>

#include "ui/controls/edit_field_pane.h"
#include "ui/events/control_events.h"
#include "ui/events/key_routing.h"
#include "ui/events/window_events.h"
#include "ui/panes/pane_state.h"
#include "values/string.h"

namespace ql {

namespace {

constexpr int32_t kKeyTab = 9, kKeyReturn = 13, kKeyEscape = 27;

}  // namespace

EditPane::EditPane(QlObject* field, WindowPane* window, const Rect16& rect)
    : NativeControlPane(field, window, rect) {}

EditPane::~EditPane() {
  if (brush_) DeleteObject(brush_);
}

bool EditPane::build() {
  EditFieldFields* f = as_edit_field_fields(control());
  rich_ = f->multi_line || f->styled;
  defer();
  // The text the field starts with raises TextChange as the control would when given it.
  if (f->text) raise_on_control(this, edit_field_events::kTextChange);
  return true;
}

bool EditPane::make_platform_window() {
  EditFieldFields* f = as_edit_field_fields(control());
  DWORD style = ES_AUTOHSCROLL;
  if (rich_) style = f->multi_line ? WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE : WS_VSCROLL | ES_AUTOHSCROLL;
  DWORD ex_style = f->border ? WS_EX_CLIENTEDGE : 0;
  bool made = create_native(rich_ ? rich_edit_class() : "EDIT", style, ex_style, "");
  if (!made && rich_) {
    if (const char* fallback = rich_edit_fallback()) made = create_native(fallback, style, ex_style, "");
  }
  if (!made) return false;
  adopt(hwnd_);
  subclass();
  if (rich_) SendMessageA(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
  set_read_only(f->read_only);
  set_back_color(f->back_color);
  set_text_color(f->text_color);
  // The field's text as the program last set it: the program saw its TextChange then.
  applying_ = true;
  if (f->text) set_text(f->text);
  applying_ = false;
  set_limit(f->limit_text);
  set_password(f->password);
  return true;
}

QlString EditPane::text() const {
  if (!hwnd_) {
    QlString stored = as_edit_field_fields(control())->text;
    string_retain(stored);
    return stored;
  }
  int32_t length = GetWindowTextLengthA(hwnd_);
  if (length <= 0) return nullptr;
  std::vector<char> bytes(static_cast<size_t>(length) + 1);
  int32_t got = GetWindowTextA(hwnd_, bytes.data(), length + 1);
  return string_from_bytes(bytes.data(), got);
}

void EditPane::set_text(QlString text) {
  if (!hwnd_) {
    // The control would raise TextChange as it takes the text, and answer the new text meanwhile.
    if (!deferred()) return;
    string_assign(as_edit_field_fields(control())->text, text);
    raise_on_control(this, edit_field_events::kTextChange);
    return;
  }
  SetWindowTextA(hwnd_, string_cview(text));
  if (rich_ && has_text_) set_text_color(rgb_from_colorref(text_colour_));
}

void EditPane::set_back_color(uint32_t rgb) {
  back_ = colorref_from_rgb(rgb);
  has_back_ = true;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(back_);
  if (!hwnd_) return;
  if (rich_) SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, back_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void EditPane::set_text_color(uint32_t rgb) {
  text_colour_ = colorref_from_rgb(rgb);
  has_text_ = true;
  if (!has_back_) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
  }
  if (!hwnd_) return;
  if (rich_) {
    // A rich-edit control colours its text through its character format, for the text there and to come.
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = text_colour_;
    SendMessageA(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(hwnd_, EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void EditPane::set_read_only(bool read_only) {
  if (hwnd_) SendMessageA(hwnd_, EM_SETREADONLY, read_only, 0);
}

void EditPane::set_limit(int32_t limit) {
  // 0 is no limit of the field's own; a rich-edit control would otherwise stop at its default.
  LPARAM most = limit > 0 ? limit : 0x7FFFFFFE;
  if (!hwnd_) return;
  if (rich_) {
    SendMessageA(hwnd_, EM_EXLIMITTEXT, 0, most);
  } else {
    SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(most), 0);
  }
}

// The control keeps the actual text and shows the mask in its place, so typed text is kept as well.
void EditPane::set_password(bool password) {
  if (!hwnd_) return;
  SendMessageA(hwnd_, EM_SETPASSWORDCHAR, password ? static_cast<uint8_t>(mask_) : 0, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH EditPane::control_color(HDC dc) {
  if (!has_back_ && !has_text_) return nullptr;
  SetBkColor(dc, has_back_ ? back_ : RGB(0xFF, 0xFF, 0xFF));
  SetTextColor(dc, has_text_ ? text_colour_ : GetSysColor(COLOR_WINDOWTEXT));
  return brush_;
}

bool EditPane::command(int32_t notification) {
  switch (notification) {
    case EN_CHANGE:
      if (!applying_) raise_on_control(this, edit_field_events::kTextChange);
      return true;
    case EN_SETFOCUS:
      set_focus_pane(this);
      return true;
    case EN_KILLFOCUS:
      if (focus_pane() == this) set_focus_pane(nullptr);
      return true;
    default:
      return false;
  }
}

LRESULT EditPane::notify(NMHDR* header) {
  if (header->code == EN_SELCHANGE) raise_on_control(this, edit_field_events::kSelChange);
  return 0;
}

LRESULT EditPane::window_procedure(UINT message, WPARAM wparam, LPARAM lparam) {
  int32_t key = 0;
  if (message == WM_CHAR) key = static_cast<uint8_t>(wparam);
  if (message == WM_KEYDOWN) key = key_code_for_virtual_key(wparam);
  if (key) {
    char c = static_cast<char>(key);
    QlString key_text = string_from_bytes(&c, 1);
    bool consumed = false;
    bool alive = raise_boolean_on_control(this, consumed, rect_control_events::kKeyDown, key_text);
    string_release(key_text);
    if (!alive || consumed) return 0;
    EditFieldFields* f = as_edit_field_fields(control());
    bool for_window = key == kKeyEscape || (key == kKeyTab && !(f->multi_line && f->accept_tabs)) ||
                      (key == kKeyReturn && !f->multi_line);
    if (message == WM_CHAR && for_window && offer_to_window(key)) return 0;
  }
  return NativeControlPane::window_procedure(message, wparam, lparam);
}

bool EditPane::can_take_focus() { return enabled_ && visible(); }

void EditPane::gain_focus() {
  realize();
  if (hwnd_ && GetFocus() != hwnd_) SetFocus(hwnd_);
  raise_on_control(this, rect_control_events::kGotFocus);
}

void EditPane::lose_focus() { raise_on_control(this, rect_control_events::kLostFocus); }

}  // namespace ql
