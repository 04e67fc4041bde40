// GDI helpers: each makes and deletes its own pens and brushes and leaves the DC as it found it.
#include "drawing.h"

namespace quilapp {

namespace {

const POINT kArrows[kArrowFacings][3] = {
    {{0, 0}, {4, 4}, {0, 8}}, {{4, 0}, {0, 4}, {4, 8}}, {{0, 4}, {4, 0}, {8, 4}}, {{0, 0}, {8, 0}, {4, 4}},
    {{0, 0}, {2, 2}, {0, 4}}, {{2, 0}, {0, 2}, {2, 4}}, {{0, 2}, {2, 0}, {4, 2}}, {{0, 0}, {4, 0}, {2, 2}},
};

void polygon(HDC dc, int x, int y, const POINT source[3], COLORREF fill_color) {
  POINT points[3];
  for (int i = 0; i < 3; ++i) points[i] = {x + source[i].x, y + source[i].y};
  HBRUSH brush = CreateSolidBrush(fill_color);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  Polygon(dc, points, 3);
  SelectObject(dc, old_brush);
  DeleteObject(brush);
}

}  // namespace

RECT rect_of(const QlPluginRect& b) { return {b.left, b.top, b.right, b.bottom}; }

void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void fill(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void frame(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

COLORREF system_color(int index) { return GetSysColor(index); }

void triangle(HDC dc, int x, int y, const POINT points[3], COLORREF fill_color, COLORREF outline) {
  HPEN pen = CreatePen(PS_SOLID, 1, outline);
  HGDIOBJ old = SelectObject(dc, pen);
  polygon(dc, x, y, points, fill_color);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void triangle_with_current_pen(HDC dc, int x, int y, const POINT points[3], COLORREF fill_color) {
  polygon(dc, x, y, points, fill_color);
}

void polyline(HDC dc, int x, int y, const POINT* source, int count, COLORREF color) {
  POINT points[8];
  if (count > 8) count = 8;
  for (int i = 0; i < count; ++i) points[i] = {x + source[i].x, y + source[i].y};
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  Polyline(dc, points, count);
  SelectObject(dc, old);
  DeleteObject(pen);
}

const POINT* arrow_points(int facing) {
  return facing >= 0 && facing < kArrowFacings ? kArrows[facing] : nullptr;
}

}  // namespace quilapp
