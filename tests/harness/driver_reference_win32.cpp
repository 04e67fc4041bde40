// Reference drawings: GDI into a 32-bit DIB, PNG pictures read with the Windows Imaging Component, and the
// comparison with the screen.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "driver_reference.h"
#include "driver_screenshots.h"

namespace ql::driver {

namespace {

// A channel kept in 5 bits and shown again in 8, as 16-bit pictures are.
uint32_t five_bits(uint32_t channel) { return (channel & 0xF8) | (channel >> 5); }

bool skipped_at(const std::vector<RECT>& skipped, POINT p) {
  for (const RECT& r : skipped)
    if (PtInRect(&r, p)) return true;
  return false;
}

}  // namespace

ReferenceDrawing::ReferenceDrawing(RECT screen, COLORREF background) : screen_(screen) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = screen.right - screen.left;
  info.bmiHeader.biHeight = -(screen.bottom - screen.top);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
  old_bitmap_ = SelectObject(dc_, bitmap_);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_BASELINE);
  fill({0, 0, screen.right - screen.left, screen.bottom - screen.top}, background);
}

ReferenceDrawing::~ReferenceDrawing() {
  SelectObject(dc_, old_bitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
  for (auto& [name, font] : fonts_) DeleteObject(font);
}

HFONT ReferenceDrawing::font(const std::string& face, int size) {
  const std::string key = face + "/" + std::to_string(size);
  for (auto& [name, made] : fonts_)
    if (name == key) return made;
  HFONT made = CreateFontA(-size, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
  fonts_.push_back({key, made});
  return made;
}

int ReferenceDrawing::text_width(const std::string& text, const std::string& face, int size) {
  SelectObject(dc_, font(face, size));
  SIZE extent = {};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

int ReferenceDrawing::text(const std::string& text, int x, int baseline, const std::string& face, int size,
                           COLORREF color) {
  SelectObject(dc_, font(face, size));
  SetTextColor(dc_, color);
  TextOutA(dc_, x, baseline, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  return text_width(text, face, size);
}

void ReferenceDrawing::fill(RECT area, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc_, &area, brush);
  DeleteObject(brush);
  GdiFlush();
}

bool ReferenceDrawing::picture(const std::string& png_path, int x, int y) {
  std::vector<uint32_t> png;
  UINT width = 0, height = 0;
  if (!load_png(png_path, png, width, height)) return false;
  const int w = screen_.right - screen_.left, h = screen_.bottom - screen_.top;
  for (int row = 0; row < static_cast<int>(height) && y + row < h; ++row) {
    for (int col = 0; col < static_cast<int>(width) && x + col < w; ++col) {
      if (x + col < 0 || y + row < 0) continue;
      uint32_t p = png[static_cast<size_t>(row) * width + col];
      uint32_t shown = (p >> 24) < 128 ? 0xFFFFFF
                                       : five_bits((p >> 16) & 0xFF) << 16 | five_bits((p >> 8) & 0xFF) << 8 |
                                             five_bits(p & 0xFF);
      bits_[static_cast<size_t>(y + row) * w + x + col] = shown;
    }
  }
  return true;
}

ScreenCapture ReferenceDrawing::as_capture() const {
  GdiFlush();
  const size_t count = static_cast<size_t>(screen_.right - screen_.left) * (screen_.bottom - screen_.top);
  std::vector<uint32_t> pixels(bits_, bits_ + count);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return ScreenCapture(screen_, std::move(pixels));
}

int pixels_differing(const ReferenceDrawing& expected, const ScreenCapture& seen, int tolerance,
                     const std::vector<RECT>& skipped, POINT* first, bool first_only) {
  ScreenCapture wanted = expected.as_capture();
  const RECT& r = expected.screen_rect();
  int differing = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (skipped_at(skipped, {x, y}) || colors_close(seen.at({x, y}), wanted.at({x, y}), tolerance))
        continue;
      if (differing++ == 0 && first) *first = {x, y};
      if (first_only) return differing;
    }
  }
  return differing;
}

bool expect_drawn(const ReferenceDrawing& expected, const std::string& what, int tolerance,
                  const std::vector<RECT>& skipped, Where where) {
  ScreenCapture seen(expected.screen_rect());
  POINT first = {};
  int differing = pixels_differing(expected, seen, tolerance, skipped, &first);
  if (differing == 0) return true;
  ScreenCapture wanted = expected.as_capture();
  const RECT& r = expected.screen_rect();
  fail(what + ": " + std::to_string(differing) + " pixels differ from the reference drawing; the first at (" +
           std::to_string(first.x - r.left) + ", " + std::to_string(first.y - r.top) + ") shows " +
           color_text(seen.at(first)) + " for " + color_text(wanted.at(first)),
       where);
  std::string shot = last_failure_screenshot();
  if (!shot.empty()) save_png(wanted, shot.substr(0, shot.size() - 4) + "-expected.png");
  return false;
}

}  // namespace ql::driver
