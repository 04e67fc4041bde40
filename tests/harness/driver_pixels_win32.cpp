// Capturing screen rectangles into memory and looking at their colours.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver_pixels.h"

namespace ql::driver {

namespace {

COLORREF color_of(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

RECT screen_rect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

ScreenCapture::ScreenCapture(RECT wanted) {
  RECT screen = screen_rect();
  if (!IntersectRect(&rect_, &wanted, &screen)) {
    rect_ = {};
    return;
  }
  HDC screen_dc = GetDC(nullptr);
  HDC memory_dc = CreateCompatibleDC(screen_dc);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width();
  info.bmiHeader.biHeight = -height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory_dc, bitmap);
    if (BitBlt(memory_dc, 0, 0, width(), height(), screen_dc, rect_.left, rect_.top, SRCCOPY)) {
      GdiFlush();
      pixels_.resize(static_cast<size_t>(width()) * static_cast<size_t>(height()));
      std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(uint32_t));
    }
    SelectObject(memory_dc, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory_dc);
  ReleaseDC(nullptr, screen_dc);
  if (pixels_.empty()) rect_ = {};
}

ScreenCapture ScreenCapture::whole_screen() { return ScreenCapture(screen_rect()); }

ScreenCapture ScreenCapture::of_window(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return ScreenCapture(rect);
}

bool ScreenCapture::holds(POINT screen) const { return ok() && PtInRect(&rect_, screen); }

COLORREF ScreenCapture::at(POINT screen) const {
  if (!holds(screen)) return CLR_INVALID;
  size_t index = static_cast<size_t>(screen.y - rect_.top) * static_cast<size_t>(width()) +
                 static_cast<size_t>(screen.x - rect_.left);
  return color_of(pixels_[index]);
}

int ScreenCapture::count(COLORREF color, int tolerance, RECT within) const {
  RECT area = {};
  if (!ok() || !IntersectRect(&area, &within, &rect_)) return 0;
  int found = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* row = pixels_.data() + static_cast<size_t>(y - rect_.top) * static_cast<size_t>(width());
    for (int x = area.left; x < area.right; ++x) {
      if (colors_close(color_of(row[x - rect_.left]), color, tolerance)) ++found;
    }
  }
  return found;
}

bool colors_close(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF screen_pixel(POINT screen) {
  return ScreenCapture({screen.x, screen.y, screen.x + 1, screen.y + 1}).at(screen);
}

std::string color_text(COLORREF color) {
  if (color == CLR_INVALID) return "(no pixel)";
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

}  // namespace ql::driver
