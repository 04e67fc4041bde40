// ChasingArrows: an animation of eight frames that the idle call advances while the control is shown.
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

constexpr int kFrames = 8;
constexpr int kSide = 16;

struct Frame {
  POINT triangle[3];
  POINT polyline[7];
  int polyline_points;
};

const Frame kFrameTable[kFrames] = {
    {{{11, 7}, {14, 9}, {15, 7}}, {{5, 3}, {6, 2}, {9, 2}, {11, 3}, {13, 6}, {13, 9}}, 6},
    {{{11, 8}, {12, 11}, {14, 9}}, {{7, 2}, {9, 2}, {11, 3}, {13, 6}, {12, 11}}, 5},
    {{{11, 10}, {10, 12}, {13, 12}}, {{9, 2}, {11, 3}, {13, 6}, {12, 11}, {10, 12}}, 5},
    {{{9, 11}, {8, 13}, {11, 14}}, {{11, 3}, {13, 6}, {12, 11}, {10, 12}, {8, 13}}, 5},
    {{{8, 11}, {6, 13}, {8, 15}}, {{12, 5}, {13, 6}, {12, 11}, {10, 12}, {8, 13}, {6, 13}}, 6},
    {{{6, 14}, {4, 12}, {7, 11}}, {{13, 7}, {12, 11}, {10, 12}, {8, 13}, {6, 13}, {4, 12}}, 6},
    {{{3, 13}, {3, 10}, {5, 11}}, {{12, 11}, {10, 12}, {8, 13}, {6, 13}, {4, 12}, {3, 10}}, 6},
    {{{1, 11}, {2, 8}, {4, 9}}, {{12, 11}, {10, 12}, {8, 13}, {6, 13}, {4, 12}, {3, 10}, {2, 8}}, 7},
};

struct ChasingData {
  int32_t frame;
};

ChasingData* data(QlObject* instance) { return data_of<ChasingData>(instance, chasing_arrows_record); }

POINT reflected(POINT p) { return {kSide - 1 - p.x, kSide - 1 - p.y}; }

// The window's background, as the window itself erases it: its WM_ERASEBKGND into a one-pixel bitmap.
COLORREF window_background(QlObject* instance) {
  COLORREF color = system_color(COLOR_BTNFACE);
  HWND window = host::control_hwnd(instance);
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "QL_MDICHILD") == 0) break;
    window = GetParent(window);
  }
  if (!window) return color;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
  HGDIOBJ old = SelectObject(memory, pixel);
  SetPixel(memory, 0, 0, color);
  SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
  color = GetPixel(memory, 0, 0);
  SelectObject(memory, old);
  DeleteObject(pixel);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return color;
}

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  QlPluginRect b = host::bounds(instance);
  RECT square = {b.left, b.top, b.left + kSide, b.top + kSide};
  fill(dc, square, window_background(instance));
  int32_t index = data(instance)->frame & (kFrames - 1);
  const Frame& frame = kFrameTable[index];
  const COLORREF black = RGB(0, 0, 0);
  triangle(dc, b.left, b.top, frame.triangle, black, black);
  polyline(dc, b.left, b.top, frame.polyline, frame.polyline_points, black);
  POINT mirrored_triangle[3];
  POINT mirrored_line[7];
  for (int i = 0; i < 3; ++i) mirrored_triangle[i] = reflected(frame.triangle[i]);
  for (int i = 0; i < frame.polyline_points; ++i) mirrored_line[i] = reflected(frame.polyline[i]);
  triangle(dc, b.left, b.top, mirrored_triangle, black, black);
  polyline(dc, b.left, b.top, mirrored_line, frame.polyline_points, black);
}

void idle(QlObject* instance) {
  if (!host::visible(instance)) return;
  data(instance)->frame = (data(instance)->frame + 1) & (kFrames - 1);
  draw_now(instance, draw);
}

const QlPluginBehaviour kBehaviour = {
    nullptr, nullptr, draw,    nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, idle,    draw,    nullptr,
};

}  // namespace

QlPluginControlRecord chasing_arrows_record = {.version = 4,
                                               .name = "ChasingArrows",
                                               .data_size = sizeof(ChasingData),
                                               .icon_id = 178,
                                               .second_icon_id = 179,
                                               .default_width = 16,
                                               .default_height = 16,
                                               .behaviour = &kBehaviour};

}  // namespace quilapp
