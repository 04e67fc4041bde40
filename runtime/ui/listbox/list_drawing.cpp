// Drawing the list box: background, bevel and frame, the visible rows with their cells, the headings.
#include <algorithm>
#include <string>

#include "quillet/graphics.h"
#include "ui/graphics/fitted_text.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "values/string.h"

namespace ql {

namespace {

constexpr COLORREF kBevelGrey = RGB(0xAA, 0xAA, 0xAA);
constexpr COLORREF kDisabledFrame = RGB(0x55, 0x55, 0x55);
constexpr COLORREF kDisabledText = RGB(0x88, 0x88, 0x88);
constexpr int32_t kTextIndent = 4;
constexpr int32_t kCheckBoxWidth = 20;
constexpr int32_t kPictureWidth = 20;
constexpr int32_t kDepthIndent = 12;
constexpr int32_t kHierarchyIndent = 20;

int32_t measure(void* dc, const char* text, int32_t length) {
  SIZE size = {};
  GetTextExtentPoint32A(static_cast<HDC>(dc), text, length, &size);
  return size.cx;
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void line(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void draw_clipped(HDC dc, const RECT& clip, int32_t x, int32_t baseline, const char* text, int length) {
  ExtTextOutA(dc, x, baseline, ETO_CLIPPED, &clip, text, static_cast<UINT>(length), nullptr);
}

void draw_check_box(HDC dc, int32_t x, int32_t middle, bool checked) {
  RECT box = {x, middle - 6, x + 12, middle + 6};
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!checked) return;
  line(dc, box.left, box.top, box.right, box.bottom, RGB(0, 0, 0));
  line(dc, box.left, box.bottom - 1, box.right, box.top - 1, RGB(0, 0, 0));
}

void draw_disclosure(HDC dc, int32_t x, int32_t middle, bool expanded) {
  RECT box = {x, middle - 4, x + 9, middle + 5};
  FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  line(dc, x + 2, middle, x + 7, middle, RGB(0, 0, 0));
  if (!expanded) line(dc, x + 4, middle - 2, x + 4, middle + 3, RGB(0, 0, 0));
}

}  // namespace

void ListPane::draw() {
  Lock lock(lock_);
  sync_scroll_bar();
  if (!graphics_) graphics_ = new GraphicsState(this);
  GraphicsState& g = *graphics_;
  if (string_compare_folded(g.font_name, font_name) != 0 || g.text_size != font_size ||
      g.style != font_style) {
    string_assign(g.font_name, font_name);
    g.text_size = font_size;
    g.style = font_style;
    g.font_changed();
  }
  HDC dc = g.begin(true);
  if (!dc) return;
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION) clip = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  UINT old_align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  int old_mode = SetBkMode(dc, TRANSPARENT);

  RECT inner = {bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
  fill(dc, inner, GetSysColor(COLOR_WINDOW));
  if (enabled_) {
    line(dc, inner.left, inner.bottom - 1, inner.left, inner.top, kBevelGrey);
    line(dc, inner.left, inner.top, inner.right, inner.top, kBevelGrey);
    line(dc, inner.right - 1, inner.top + 1, inner.right - 1, inner.bottom, RGB(0xFF, 0xFF, 0xFF));
    line(dc, inner.left + 1, inner.bottom - 1, inner.right - 1, inner.bottom - 1, RGB(0xFF, 0xFF, 0xFF));
  }
  RECT frame = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  HBRUSH frame_brush = CreateSolidBrush(enabled_ ? g.colorref() : kDisabledFrame);
  FrameRect(dc, &frame, frame_brush);
  DeleteObject(frame_brush);

  draw_rows(dc, clip);
  if (fields()->has_heading) draw_headings(dc);
  SetBkMode(dc, old_mode);
  SetTextAlign(dc, old_align);
  g.end();
  if (focused_) draw_focus_ring(true);
}

void ListPane::draw_rows(HDC dc, const RECT& clip) {
  RECT content = content_rect();
  for (int32_t i = top_; i < rows_.count(); ++i) {
    RECT r = row_rect(i);
    if (r.top >= content.bottom) break;
    r.bottom = std::min(r.bottom, content.bottom);
    RECT visible;
    if (!IntersectRect(&visible, &r, &clip)) continue;
    draw_row(dc, i, r);
  }
}

// Everything a row draws stays inside its rectangle (which the content's bottom may cut): text is clipped to
// its cell and the row.
void ListPane::draw_row(HDC dc, int32_t index, const RECT& rect) {
  ListboxFields* f = fields();
  bool selected = selection_.selected(index);
  fill(dc, rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  COLORREF text = !enabled_ ? kDisabledText : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  SetTextColor(dc, text);
  RECT area = rect;
  if (f->grid_lines) {
    line(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1, GetSysColor(COLOR_BTNFACE));
    area.bottom -= 1;
  }
  ListRow* row = rows_.row(index);
  int32_t x = rect.left;
  for (int32_t column = 0; column < f->column_count; ++column) {
    int32_t width = f->widths[column];
    RECT cell_rect = {x, area.top, std::min<int32_t>(x + width, rect.right), area.bottom};
    x += width;
    if (width <= 0) continue;
    if (cell_rect.left >= rect.right) break;
    draw_cell(dc, row, column, find_cell(row, column), cell_rect);
  }
}

void ListPane::draw_cell(HDC dc, ListRow* row, int32_t column, ListCell* cell, const RECT& r) {
  ListboxFields* f = fields();
  int32_t middle = (r.top + r.bottom) / 2;
  int32_t x = r.left + kTextIndent;
  if (column == 0 && f->hierarchical) {
    x = r.left + kHierarchyIndent + kDepthIndent * row->depth;
    if (row->parent) draw_disclosure(dc, r.left + 4 + kDepthIndent * row->depth, middle, row->expanded);
  }
  uint8_t type = cell && cell->type != kCellDefault ? cell->type : column_type[column];
  if (type == kCellCheckBox) {
    draw_check_box(dc, x, middle, cell && cell->check);
    x += kCheckBoxWidth;
  }
  QlObject* picture = cell ? cell->picture : nullptr;
  if (column == 0 && !picture) picture = row->picture;
  if (picture) {
    int32_t pw = pictureWidthGetter(picture, 0), ph = pictureHeightGetter(picture, 0);
    draw_picture_at(this, picture, x + 8 - pw / 2, middle - ph / 2);
    x += kPictureWidth;
  }
  if (!cell || !cell->text) return;

  // Most cells use the list's own font, which the state has selected; a styled cell selects its own.
  HFONT font = cell->style ? font_for(cell->style) : nullptr;
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  int32_t baseline = r.top + (row_height_ - text_height_) / 2 + ascent_;
  uint8_t alignment = cell->alignment != kAlignDefault ? cell->alignment : column_alignment[column];
  int32_t offset = cell->offset ? cell->offset : column_offset[column];
  std::string_view s(string_cview(cell->text), static_cast<size_t>(string_length(cell->text)));
  int32_t room = std::min<int32_t>(r.right - r.left - kTextIndent, r.right - x);
  switch (alignment) {
    case kAlignCentre: {
      int32_t w = measure(dc, s.data(), static_cast<int32_t>(s.size()));
      draw_clipped(dc, r, x + (room - w) / 2 + offset, baseline, s.data(), static_cast<int>(s.size()));
      break;
    }
    case kAlignRight: {
      int32_t w = measure(dc, s.data(), static_cast<int32_t>(s.size()));
      draw_clipped(dc, r, r.right - w + offset, baseline, s.data(), static_cast<int>(s.size()));
      break;
    }
    case kAlignDecimal: {
      size_t point = s.find('.');
      int32_t w =
          measure(dc, s.data(), static_cast<int32_t>(point == std::string_view::npos ? s.size() : point));
      draw_clipped(dc, r, r.right - w + offset, baseline, s.data(), static_cast<int>(s.size()));
      break;
    }
    default: {
      std::string shown = fitted_text(s, room, measure, dc);
      if (!shown.empty())
        draw_clipped(dc, r, x + offset, baseline, shown.data(), static_cast<int>(shown.size()));
      break;
    }
  }
  if (old_font) SelectObject(dc, old_font);
}

void ListPane::draw_headings(HDC dc) {
  ListboxFields* f = fields();
  RECT content = content_rect();
  SetTextColor(dc, GetSysColor(enabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  HFONT font = font_for(0);
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  int32_t x = content.left;
  for (int32_t column = 0; column < f->column_count; ++column) {
    int32_t width = f->widths[column] + (column == f->column_count - 1 ? kListScrollBarWidth : 0);
    RECT button = {x, bounds.top + 1, std::min<int32_t>(x + width, content.right), content.top};
    x += f->widths[column];
    if (button.right <= button.left) continue;
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH);
    QlString text = headings_[column];
    std::string_view s(string_cview(text), static_cast<size_t>(string_length(text)));
    std::string shown = fitted_text(s, button.right - button.left - 2 * kTextIndent, measure, dc);
    int32_t baseline = button.top + (button.bottom - button.top - text_height_) / 2 + ascent_;
    if (!shown.empty())
      TextOutA(dc, button.left + kTextIndent, baseline, shown.data(), static_cast<int>(shown.size()));
  }
  if (old_font) SelectObject(dc, old_font);
}

}  // namespace ql
