// GDI drawing shared by the controls: lines, fills and frames in system or given colours, filled triangles
// and polylines, and the arrow shapes of PopupArrow that BevelButton's menu arrow uses too.
#pragma once

#include <windows.h>

#include "quillet/plugin_records.h"

namespace quilapp {

RECT rect_of(const QlPluginRect& bounds);

// A one-pixel line from (x1, y1) up to but not including (x2, y2).
void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
void fill(HDC dc, const RECT& r, COLORREF color);
void frame(HDC dc, const RECT& r, COLORREF color);
COLORREF system_color(int index);

// A triangle at (x, y) plus each point, filled with fill_color and outlined with outline.
void triangle(HDC dc, int x, int y, const POINT points[3], COLORREF fill_color, COLORREF outline);
// A triangle filled and outlined with the DC's current pen.
void triangle_with_current_pen(HDC dc, int x, int y, const POINT points[3], COLORREF fill_color);
void polyline(HDC dc, int x, int y, const POINT* points, int count, COLORREF color);

// PopupArrow's facings: 0 to 3 the large arrows right, left, up and down, 4 to 7 the small ones.
constexpr int kArrowFacings = 8;
const POINT* arrow_points(int facing);  // three points from the top-left corner; null outside 0 to 7

}  // namespace quilapp
