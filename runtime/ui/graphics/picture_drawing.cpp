// Drawing native pictures: the DIB section made from the record, the mask for transparent drawing, and the
// two StretchBlt paths.
#include <algorithm>
#include <cstring>

#include "ui/graphics/picture.h"

namespace ql {

namespace {

// A top-down DIB header for the picture's size and depth, with a colour table (black for depths that have
// one, since records carry none).
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

DibInfo dib_info(uint32_t width, uint32_t height, uint32_t depth) {
  DibInfo info = {};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = static_cast<LONG>(width);
  info.header.biHeight = -static_cast<LONG>(height);
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(depth);
  info.header.biCompression = BI_RGB;
  return info;
}

uint32_t dib_row_bytes(uint32_t width, uint32_t depth) { return (width * depth + 31) / 32 * 4; }

bool make_dib(NativePicture& p) {
  const image::PictureRecord& r = p.record;
  if (!r.pixels || r.width == 0 || r.height == 0) return false;
  DibInfo info = dib_info(r.width, r.height, r.depth);
  p.dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &p.dib_bits,
                           nullptr, 0);
  if (!p.dib) return false;
  size_t bytes = static_cast<size_t>(dib_row_bytes(r.width, r.depth)) * r.height;
  std::memcpy(p.dib_bits, r.pixels, bytes < r.byte_count ? bytes : r.byte_count);
  p.dib_masked = false;
  return true;
}

void delete_dib(NativePicture& p) {
  if (p.dib) DeleteObject(p.dib);
  if (p.mask) DeleteObject(p.mask);
  p.dib = p.mask = nullptr;
  p.dib_bits = nullptr;
  p.dib_masked = false;
}

// White (all of the low 15 bits set) becomes mask bit 1 and black in the DIB; the record stays as it is.
bool make_mask(NativePicture& p) {
  const uint32_t width = p.record.width, height = p.record.height;
  DibInfo info = dib_info(width, height, 1);
  info.colours[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  p.mask = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!p.mask) return false;
  const uint32_t mask_row = dib_row_bytes(width, 1), pixel_row = dib_row_bytes(width, 16);
  auto* mask_bytes = static_cast<uint8_t*>(bits);
  auto* pixel_bytes = static_cast<uint8_t*>(p.dib_bits);
  std::memset(mask_bytes, 0, static_cast<size_t>(mask_row) * height);
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* mask_line = mask_bytes + static_cast<size_t>(y) * mask_row;
    uint8_t* pixel_line = pixel_bytes + static_cast<size_t>(y) * pixel_row;
    for (uint32_t x = 0; x < width; ++x) {
      uint16_t pixel;
      std::memcpy(&pixel, pixel_line + 2 * x, 2);
      if ((pixel & 0x7FFF) != 0x7FFF) continue;
      mask_line[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      std::memset(pixel_line + 2 * x, 0, 2);
    }
  }
  p.dib_masked = true;
  return true;
}

// Keeps the part of the source inside the picture and the part of the destination it maps onto: GDI draws
// nothing at all for a source reaching past its bitmap. Mirrored and empty areas are left as they are.
bool clip_to_picture(const image::PictureRecord& r, PictureArea& d, PictureArea& s) {
  if (s.width <= 0 || s.height <= 0 || d.width <= 0 || d.height <= 0) return true;
  const int64_t x0 = std::max<int64_t>(s.x, 0), x1 = std::min<int64_t>(int64_t{s.x} + s.width, r.width);
  const int64_t y0 = std::max<int64_t>(s.y, 0), y1 = std::min<int64_t>(int64_t{s.y} + s.height, r.height);
  if (x0 >= x1 || y0 >= y1) return false;
  auto map = [](int64_t v, int32_t from, int32_t from_size, int32_t to, int32_t to_size) {
    return static_cast<int32_t>(to + (v - from) * to_size / from_size);
  };
  const int32_t dx0 = map(x0, s.x, s.width, d.x, d.width), dx1 = map(x1, s.x, s.width, d.x, d.width);
  const int32_t dy0 = map(y0, s.y, s.height, d.y, d.height), dy1 = map(y1, s.y, s.height, d.y, d.height);
  d = {dx0, dy0, dx1 - dx0, dy1 - dy0};
  s = {static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x1 - x0),
       static_cast<int32_t>(y1 - y0)};
  return d.width > 0 && d.height > 0;
}

void blit(HDC dc, HDC memory, HBITMAP bitmap, const PictureArea& d, const PictureArea& s, DWORD rop) {
  HGDIOBJ old = SelectObject(memory, bitmap);
  StretchBlt(dc, d.x, d.y, d.width, d.height, memory, s.x, s.y, s.width, s.height, rop);
  SelectObject(memory, old);
}

}  // namespace

NativePicture::~NativePicture() { delete_dib(*this); }

void clear_native_picture_cache(NativePicture& picture) { delete_dib(picture); }

void draw_native_picture(HDC dc, NativePicture& p, bool transparent, const PictureArea& destination,
                         const PictureArea& source) {
  PictureArea d = destination, s = source;
  if (!clip_to_picture(p.record, d, s)) return;
  // Only 5-5-5 pixels have a white the mask can find; other depths draw as they are.
  bool masked = transparent && p.record.depth == 16;
  if (!masked && p.mask) delete_dib(p);
  if (!p.dib && !make_dib(p)) return;
  if (masked && !p.mask && !make_mask(p)) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  if (masked) {
    // A 1-bit source takes the DC's text and background colours where a device treats it as monochrome.
    COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    blit(dc, memory, p.mask, d, s, SRCAND);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    blit(dc, memory, p.dib, d, s, SRCPAINT);
  } else {
    blit(dc, memory, p.dib, d, s, SRCCOPY);
  }
  DeleteDC(memory);
}

}  // namespace ql
