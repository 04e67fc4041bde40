// Screen pixels for checks: a rectangle of the screen captured once into memory (one BitBlt, not a GetPixel
// per pixel), colours compared with a tolerance, and colours found or counted in a rectangle.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

namespace ql::driver {

// A copy of what the screen showed in a rectangle at one moment.
class ScreenCapture {
 public:
  explicit ScreenCapture(RECT screen_rect);  // captures now; the rectangle is clipped to the screen
  ScreenCapture(RECT screen_rect, std::vector<uint32_t> pixels)  // what the rectangle should show
      : rect_(screen_rect), pixels_(std::move(pixels)) {}
  static ScreenCapture whole_screen();
  static ScreenCapture of_window(HWND window);  // the window's rectangle as it shows on the screen

  bool ok() const { return !pixels_.empty(); }
  const RECT& rect() const { return rect_; }
  int width() const { return rect_.right - rect_.left; }
  int height() const { return rect_.bottom - rect_.top; }
  bool holds(POINT screen) const;
  // The colour at a screen point (RGB), CLR_INVALID outside the capture.
  COLORREF at(POINT screen) const;
  // Pixels within `within` (screen coordinates, clipped to the capture) whose colour is close to `color`.
  int count(COLORREF color, int tolerance, RECT within) const;
  int count(COLORREF color, int tolerance = 0) const { return count(color, tolerance, rect_); }
  bool contains(COLORREF color, int tolerance = 0) const { return count(color, tolerance) > 0; }
  // Rows from the top, each pixel 0x00RRGGBB (the layout of a 32-bit DIB).
  const std::vector<uint32_t>& pixels() const { return pixels_; }

 private:
  RECT rect_ = {};
  std::vector<uint32_t> pixels_;
};

// Whether every channel of a and b differs by at most tolerance.
bool colors_close(COLORREF a, COLORREF b, int tolerance);
COLORREF screen_pixel(POINT screen);
std::string color_text(COLORREF color);  // "#RRGGBB"

}  // namespace ql::driver
