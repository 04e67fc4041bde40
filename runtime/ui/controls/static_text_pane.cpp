// Drawing static texts.
#include <string_view>

#include "ui/controls/static_text_pane.h"
#include "ui/graphics/graphics_state.h"
#include "ui/window/window_pane.h"
#include "values/string.h"

namespace ql {

StaticPane::StaticPane(QlObject* label, WindowPane* window, const Rect16& rect)
    : ControlPane(label, window, rect) {}

StaticPane::~StaticPane() {
  delete graphics_;
  string_release(caption_);
}

bool StaticPane::build() {
  take_fields();
  defer();
  return true;
}

bool StaticPane::make_platform_window() { return create_native("QL_Pane", 0, 0, ""); }

void StaticPane::take_fields() {
  StaticTextFields* f = as_static_text_fields(control());
  string_assign(caption_, f->caption);
  alignment_ = f->alignment;
  text_colour_ = colorref_from_rgb(f->text_color);
  multi_line_ = f->multi_line;
  if (hwnd_ && !no_redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

void StaticPane::draw() {
  if (!graphics_) graphics_ = new GraphicsState(this);
  GraphicsState& g = *graphics_;
  string_assign(g.font_name, font_name);
  g.text_size = font_size;
  g.style = font_style;
  g.font_changed();
  HDC dc = g.begin(true);
  if (!dc) return;
  RECT r = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  WindowPane* w = window();
  HBRUSH brush =
      w && w->has_back_color ? CreateSolidBrush(w->back_colorref) : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &r, brush);
  if (w && w->has_back_color) DeleteObject(brush);
  int old_mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old_colour = SetTextColor(dc, enabled_ ? text_colour_ : GetSysColor(COLOR_GRAYTEXT));
  const char* text = string_cview(caption_);
  const int32_t length = string_length(caption_);
  if (multi_line_) {
    UINT align = alignment_ == kStaticCentre ? DT_CENTER : alignment_ == kStaticRight ? DT_RIGHT : DT_LEFT;
    UINT old_align = SetTextAlign(dc, TA_TOP | TA_LEFT);
    DrawTextA(dc, text, length, &r, DT_WORDBREAK | DT_NOPREFIX | align);
    SetTextAlign(dc, old_align);
  } else {
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    UINT old_align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    int32_t baseline = r.top + tm.tmAscent;
    int32_t start = 0;
    auto draw_line = [&](int32_t from, int32_t to) {
      SIZE size = {};
      GetTextExtentPoint32A(dc, text + from, to - from, &size);
      int32_t x = r.left;
      if (alignment_ == kStaticCentre) x = r.left + (r.right - r.left - size.cx) / 2;
      if (alignment_ == kStaticRight) x = r.right - size.cx;
      TextOutA(dc, x, baseline, text + from, to - from);
      baseline += tm.tmHeight;
    };
    for (int32_t i = 0; i < length; ++i) {
      if (text[i] != '\r' && text[i] != '\n') continue;
      draw_line(start, i);
      if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    draw_line(start, length);
    SetTextAlign(dc, old_align);
  }
  SetTextColor(dc, old_colour);
  SetBkMode(dc, old_mode);
  g.end();
}

}  // namespace ql
