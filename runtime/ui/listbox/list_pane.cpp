// The list pane: building it, its geometry, scrolling, focus and state.
#include "ui/listbox/list_pane.h"

#include <algorithm>

#include "ui/events/event_messages.h"
#include "ui/events/window_events.h"
#include "ui/graphics/font_cache.h"
#include "ui/graphics/graphics_state.h"
#include "ui/listbox/listbox_object.h"
#include "ui/panes/pane_state.h"
#include "ui/window/window_pane.h"
#include "values/string.h"

namespace ql {

namespace {

constexpr int32_t kHeadingHeight = 20;
constexpr int32_t kScrollBarInset = 15;  // rows end this far left of the content's right edge
constexpr int32_t kScrollBarControlWidth = 16;

}  // namespace

ListPane::ListPane(QlObject* list, WindowPane* window, const Rect16& rect) : ControlPane(list, window, rect) {
  InitializeCriticalSection(&lock_);
  for (int32_t i = 0; i < kListHeadings; ++i) {
    char text[16];
    wsprintfA(text, "Field%d", i + 1);
    headings_[i] = string_from_cstr(text);
  }
  active_ = window && window->active;
}

ListPane::~ListPane() {
  if (focused_) draw_focus_ring(false);
  delete graphics_;
  graphics_ = nullptr;
  if (scroll_bar_) RemovePropA(scroll_bar_, kInstanceProperty);
  release_fonts();
  for (QlString& heading : headings_) {
    string_release(heading);
    heading = nullptr;
  }
  rows_.clear();
  DeleteCriticalSection(&lock_);
}

ListboxFields* ListPane::fields() const { return as_listbox_fields(control()); }

bool ListPane::build() {
  font_changed();
  QlString initial_value = fields()->initial_value;
  fields()->initial_value = nullptr;
  load_rows(initial_value);
  string_release(initial_value);
  columns_changed();
  defer();
  return true;
}

bool ListPane::make_platform_window() {
  if (!create_native("QL_Pane", WS_CLIPCHILDREN, 0, "")) return false;
  scroll_bar_ = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 0, 0, hwnd_,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  // Its WM_VSCROLL reaches the window, which finds this pane through the property.
  if (scroll_bar_) SetPropA(scroll_bar_, kInstanceProperty, this);
  place_scroll_bar();
  scroll_dirty_ = true;
  sync_scroll_bar();
  return true;
}

RECT ListPane::content_rect() const {
  RECT r = {bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
  if (fields()->has_heading) r.top += kHeadingHeight;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

int32_t ListPane::visible_rows() const {
  RECT c = content_rect();
  return std::max<int32_t>(1, (c.bottom - c.top) / row_height_);
}

int32_t ListPane::max_top() const { return std::max<int32_t>(0, rows_.count() - visible_rows()); }

bool ListPane::multiple() const { return fields()->selection_type == kMultipleSelection; }

int32_t ListPane::row_at(int32_t y) const {
  RECT c = content_rect();
  int32_t offset = y - c.top;
  return top_ + (offset < 0 ? -1 : offset / row_height_);
}

RECT ListPane::row_rect(int32_t index) const {
  RECT c = content_rect();
  int32_t top = c.top + (index - top_) * row_height_;
  return {c.left, top, c.right - kScrollBarInset, top + row_height_};
}

void ListPane::invalidate_rows(int32_t from, int32_t to) {
  if (!hwnd_ || no_redraw) return;
  int32_t first = std::max(from, top_), last = std::min(to, top_ + visible_rows());
  if (first > last) return;
  RECT r = row_rect(first);
  r.bottom = row_rect(last).bottom;
  RECT c = content_rect();
  r.bottom = std::min(r.bottom, c.bottom);
  OffsetRect(&r, -bounds.left, -bounds.top);
  InvalidateRect(hwnd_, &r, FALSE);  // drawing fills every pixel it covers
}

void ListPane::invalidate_from(int32_t index) { invalidate_rows(index, top_ + visible_rows()); }

void ListPane::redraw() {
  if (hwnd_ && !no_redraw) InvalidateRect(hwnd_, nullptr, FALSE);
}

void ListPane::place_scroll_bar() {
  if (!scroll_bar_) return;
  RECT c = content_rect();
  MoveWindow(scroll_bar_, c.right - kScrollBarControlWidth - bounds.left, c.top - bounds.top,
             kScrollBarControlWidth, c.bottom - c.top, TRUE);
}

// The bar follows the rows lazily: filling a list row by row would otherwise set it once per row.
void ListPane::rows_changed() {
  int32_t top = std::clamp(top_, 0, max_top());
  if (top != top_) {
    top_ = top;
    redraw();
  }
  scroll_dirty_ = true;
  add_idle_pane(this);
}

void ListPane::sync_scroll_bar() {
  top_ = std::clamp(top_, 0, max_top());
  if (!scroll_bar_ || !scroll_dirty_) return;
  scroll_dirty_ = false;
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max<int32_t>(rows_.count() - 1, 0);
  info.nPage = static_cast<UINT>(visible_rows());
  info.nPos = top_;
  SetScrollInfo(scroll_bar_, SB_CTL, &info, TRUE);
  if (!enabled_) EnableScrollBar(scroll_bar_, SB_CTL, ESB_DISABLE_BOTH);
}

void ListPane::idle() {
  remove_idle_pane(this);
  sync_scroll_bar();
}

void ListPane::scroll_to(int32_t top) {
  top = std::clamp(top, 0, max_top());
  if (top == top_) return;
  top_ = top;
  scroll_dirty_ = true;
  sync_scroll_bar();
  if (!hwnd_ || no_redraw) return;
  // Repainting the rows in view costs less here than moving them with ScrollWindowEx (see listbox_bench).
  RECT c = content_rect();
  c.right -= kScrollBarInset;
  OffsetRect(&c, -bounds.left, -bounds.top);
  InvalidateRect(hwnd_, &c, FALSE);
}

void ListPane::scroll_into_view(int32_t row) {
  if (row < 0 || row >= rows_.count()) return;
  if (row < top_) {
    scroll_to(row);
  } else if (row >= top_ + visible_rows()) {
    scroll_to(row - visible_rows() + 1);
  }
}

void ListPane::vertical_scroll(int32_t code) {
  int32_t page = visible_rows();
  switch (code) {
    case SB_LINEUP:
      scroll_to(top_ - 1);
      break;
    case SB_LINEDOWN:
      scroll_to(top_ + 1);
      break;
    case SB_PAGEUP:
      scroll_to(top_ - page);
      break;
    case SB_PAGEDOWN:
      scroll_to(top_ + page);
      break;
    case SB_TOP:
      scroll_to(0);
      break;
    case SB_BOTTOM:
      scroll_to(max_top());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(scroll_bar_, SB_CTL, &info)) scroll_to(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

void ListPane::set_bounds(const Rect16& rect, bool redraw_now) {
  if (rect == bounds) return;
  if (focused_) draw_focus_ring(false);
  Pane::set_bounds(rect, redraw_now);
  place_scroll_bar();
  columns_changed();
  scroll_dirty_ = true;
  sync_scroll_bar();
}

void ListPane::columns_changed() {
  ListboxFields* f = fields();
  compute_column_widths(string_cview(f->column_widths), f->column_count, bounds.width(), f->widths);
  redraw();
}

void ListPane::font_changed() {
  release_fonts();
  HFONT font = font_for(0);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  text_height_ = std::max<int32_t>(1, tm.tmHeight);
  ascent_ = tm.tmAscent;
  row_height_ = text_height_;
  if (fields()->hierarchical)
    row_height_ = std::max<int32_t>(18, text_height_ + (fields()->grid_lines ? 1 : 0));
  scroll_dirty_ = true;
  sync_scroll_bar();
  redraw();
}

void ListPane::layout_changed() {
  place_scroll_bar();
  font_changed();
  columns_changed();
}

HFONT ListPane::font_for(uint8_t style) {
  uint8_t combined = (font_style | style) & 7;
  if (!fonts_[combined]) fonts_[combined] = acquire_font(font_name, font_size, combined);
  return fonts_[combined];
}

void ListPane::release_fonts() {
  for (HFONT& font : fonts_) {
    release_font(font);
    font = nullptr;
  }
}

bool ListPane::can_take_focus() { return enabled_ && visible(); }

void ListPane::gain_focus() {
  realize();
  focused_ = true;
  if (hwnd_ && GetFocus() != hwnd_) SetFocus(hwnd_);
  draw_focus_ring(true);
  raise_on_control(this, rect_control_events::kGotFocus);
}

void ListPane::lose_focus() {
  focused_ = false;
  draw_focus_ring(false);
  raise_on_control(this, rect_control_events::kLostFocus);
}

void ListPane::state_message(int32_t code) {
  Pane::state_message(code);
  if (code == kStateWindowActivated || code == kStateWindowDeactivated) {
    active_ = code == kStateWindowActivated;
    if (focused_) draw_focus_ring(active_);
  } else if (code == kStateHide && focused_) {
    draw_focus_ring(false);
  }
}

void ListPane::set_enabled(bool enabled, bool redraw_now) {
  Pane::set_enabled(enabled, redraw_now);
  if (scroll_bar_) {
    scroll_dirty_ = true;
    EnableWindow(scroll_bar_, enabled);
    sync_scroll_bar();
  }
}

// The ring lies outside the pane's own window, on its window's surface: drawn there directly, and taken
// away by letting the window repaint that strip.
void ListPane::draw_focus_ring(bool on) {
  WindowPane* w = window();
  if (!w || !w->hwnd()) return;
  RECT ring = {bounds.left - 3, bounds.top - 3, bounds.right + 3, bounds.bottom + 3};
  if (!on || !fields()->control.use_focus_ring || !active_ || !visible()) {
    InvalidateRect(w->hwnd(), &ring, TRUE);
    return;
  }
  HDC dc = GetDC(w->hwnd());
  if (!dc) return;
  HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
  RECT inner = ring;
  FrameRect(dc, &inner, brush);
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, brush);
  ReleaseDC(w->hwnd(), dc);
}

}  // namespace ql
