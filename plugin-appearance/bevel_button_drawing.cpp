// Drawing a BevelButton: frame, bevel rings, face, icon, caption and menu arrow, in every state.
#include "bevel_button.h"

#include "control_support.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

constexpr int kLargeDown = 3;
constexpr int kLargeRight = 0;

void draw_rings(HDC dc, RECT& r, const BevelButtonData& data) {
  bool pressed = data.tracking_pressed != 0;
  COLORREF top_left = system_color(pressed || data.value ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  COLORREF bottom_right = system_color(data.value ? COLOR_BTNSHADOW
                                       : pressed  ? COLOR_BTNFACE
                                                  : COLOR_BTNSHADOW);
  for (int32_t ring = 0; ring <= data.bevel && r.right - r.left > 1 && r.bottom - r.top > 1; ++ring) {
    line(dc, r.left, r.top, r.right, r.top, top_left);
    line(dc, r.left, r.top, r.left, r.bottom, top_left);
    line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, bottom_right);
    line(dc, r.right - 1, r.top, r.right - 1, r.bottom, bottom_right);
    InflateRect(&r, -1, -1);
  }
}

// Where the icon's top-left goes inside the bounds b, by its alignment and offsets.
POINT icon_position(const BevelButtonData& data, const RECT& b) {
  int32_t w = data.icon_width, h = data.icon_height;
  POINT p = {b.left + (b.right - b.left - w) / 2, b.top + (b.bottom - b.top - h) / 2};
  int32_t left = b.left + data.icon_dx, right = b.right - data.icon_dx - w;
  int32_t top = b.top + data.icon_dy, bottom = b.bottom - data.icon_dy - h;
  switch (data.icon_align) {
    case 0:
    case 2:
      p.x = left;
      break;
    case 3:
      p.x = right;
      break;
    case 4:
      p.y = top;
      break;
    case 5:
      p.y = bottom;
      break;
    case 6:
      p = {left, top};
      break;
    case 7:
      p = {left, bottom};
      break;
    case 8:
      p = {right, top};
      break;
    case 9:
      p = {right, bottom};
      break;
    default:
      break;
  }
  return p;
}

// The caption's baseline start, from its extent, the font's metrics and where the icon went.
POINT caption_position(const BevelButtonData& data, const RECT& b, SIZE extent, const TEXTMETRICA& metrics,
                       const RECT* icon) {
  POINT p = {b.left + (b.right - b.left - extent.cx) / 2,
             b.top +
                 (b.bottom - b.top - metrics.tmAscent - metrics.tmDescent - metrics.tmExternalLeading) / 2 +
                 metrics.tmAscent};
  bool beside_icon = false;
  if (icon) {
    switch (data.caption_placement) {
      case 2:
        p.x = icon->right + data.caption_delta;
        beside_icon = true;
        break;
      case 3:
        p.x = icon->left - data.caption_delta - extent.cx;
        beside_icon = true;
        break;
      case 4:
        p.y = icon->bottom + metrics.tmAscent;
        break;
      case 5:
        p.y = icon->top - metrics.tmDescent - metrics.tmExternalLeading;
        break;
      default:
        break;
    }
  }
  if (!beside_icon) {
    if (data.caption_align == 0 || data.caption_align == 2) p.x = b.left + data.caption_delta;
    if (data.caption_align == 1) p.x = b.right - data.caption_delta - extent.cx;
  }
  return p;
}

void draw_caption(HDC dc, const BevelButtonData& data, bool enabled, POINT at, const char* text, int length) {
  int old_mode = SetBkMode(dc, TRANSPARENT);
  UINT old_align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  COLORREF old_color;
  if (enabled) {
    old_color = SetTextColor(dc, data.tracking_pressed ? RGB(255, 255, 255) : system_color(COLOR_BTNTEXT));
    TextOutA(dc, at.x, at.y, text, length);
  } else {
    old_color = SetTextColor(dc, system_color(COLOR_BTNHIGHLIGHT));
    TextOutA(dc, at.x + 1, at.y + 1, text, length);
    SetTextColor(dc, system_color(COLOR_BTNSHADOW));
    TextOutA(dc, at.x, at.y, text, length);
  }
  SetTextColor(dc, old_color);
  SetTextAlign(dc, old_align);
  SetBkMode(dc, old_mode);
}

// The menu arrow sits in its rectangle at the bottom-right corner, inside the frame and one ring.
void draw_menu_arrow(HDC dc, const BevelButtonData& data, const RECT& b, bool enabled) {
  COLORREF color = enabled ? RGB(0, 0, 0) : system_color(COLOR_BTNSHADOW);
  if (data.has_menu == kMenuBelow) {
    triangle(dc, b.right - 10 - 2, b.bottom - 6 - 2, arrow_points(kLargeDown), color, color);
  } else if (data.has_menu == kMenuRight) {
    triangle(dc, b.right - 6 - 2, b.bottom - 10 - 2, arrow_points(kLargeRight), color, color);
  }
}

int text_length(const char* text) {
  int n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace

void draw_bevel_button(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  BevelButtonData& data = *bevel_data(instance);
  bool enabled = host::enabled(instance);
  const RECT b = rect_of(host::bounds(instance));
  RECT r = b;
  frame(dc, r, RGB(0, 0, 0));
  InflateRect(&r, -1, -1);
  if (enabled) draw_rings(dc, r, data);
  fill(dc, r, system_color(data.value ? COLOR_BTNSHADOW : COLOR_BTNFACE));

  HRGN saved_clip = CreateRectRgn(0, 0, 0, 0);
  bool had_clip = GetClipRgn(dc, saved_clip) == 1;
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);

  HFONT font =
      CreateFontA(-data.text_size, 0, 0, 0, data.bold ? FW_BOLD : FW_NORMAL, data.italic, data.underline, 0,
                  static_cast<BYTE>(host::charset()), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH, host::c_string(data.text_font));
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  const char* caption = host::c_string(data.caption);
  int length = text_length(caption);
  SIZE extent = {0, 0};
  GetTextExtentPointA(dc, caption, length, &extent);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);

  RECT icon_rect;
  const RECT* icon = nullptr;
  if (data.icon) {
    POINT at = icon_position(data, b);
    icon_rect = {at.x, at.y, at.x + data.icon_width, at.y + data.icon_height};
    icon = &icon_rect;
    host::draw_picture(graphics, data.icon, at.x, at.y);
  }
  if (length > 0)
    draw_caption(dc, data, enabled, caption_position(data, b, extent, metrics, icon), caption, length);

  if (old_font) SelectObject(dc, old_font);
  if (font) DeleteObject(font);
  SelectClipRgn(dc, had_clip ? saved_clip : nullptr);
  DeleteObject(saved_clip);
  draw_menu_arrow(dc, data, b, enabled);
}

void redraw_bevel_button(QlObject* instance) { draw_now(instance, draw_bevel_button); }

}  // namespace quilapp
