// The callbacks through which plug-ins make pictures from device-independent bitmaps and free a picture's
// platform bitmaps.
#include <windows.h>

#include <stdint.h>

#include <vector>

#include "quillet/plugins.h"
#include "ui/graphics/picture.h"
#include "ui/graphics/picture_file_rows.h"

namespace {

// The DIBs GDI can turn into 32-bit rows whose size follows from the header alone: no run-length coding,
// whose rows the header does not bound, and no JPEG or PNG payloads.
bool takes_dib(const BITMAPINFOHEADER& h) {
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight == 0 ||
      h.biHeight == INT32_MIN)
    return false;
  switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      return h.biCompression == BI_RGB;
    case 16:
    case 32:
      return h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    default:
      return false;
  }
}

// Draws the DIB into 32-bit bands of rows and keeps each band as 5-5-5 rows, so that memory goes to the
// picture's own rows and one band at a time. Null when GDI refuses the bitmap.
ql::NativePicture* convert(const BITMAPINFO* info, const void* bits, uint32_t width, uint32_t height,
                           uint32_t bytes) {
  const uint32_t band = ql::decode_band_rows(width);
  BITMAPINFO band_info = {};
  band_info.bmiHeader.biSize = sizeof band_info.bmiHeader;
  band_info.bmiHeader.biWidth = static_cast<LONG>(width);
  band_info.bmiHeader.biHeight = -static_cast<LONG>(band);
  band_info.bmiHeader.biPlanes = 1;
  band_info.bmiHeader.biBitCount = 32;
  band_info.bmiHeader.biCompression = BI_RGB;
  void* band_bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &band_info, DIB_RGB_COLORS, &band_bits, nullptr, 0);
  if (!section) return nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    DeleteObject(section);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, section);
  auto* native = new ql::NativePicture;
  native->owned.assign(bytes, 0);
  const uint32_t row = ql::image::row_bytes(16, width);
  bool drawn = true;
  for (uint32_t top = 0; top < height && drawn; top += band) {
    const uint32_t rows = height - top < band ? height - top : band;
    // The whole bitmap, moved up so that this band lands on the section; GDI converts what the section holds.
    drawn = StretchDIBits(dc, 0, -static_cast<int>(top), static_cast<int>(width), static_cast<int>(height), 0,
                          0, static_cast<int>(width), static_cast<int>(height), bits, info, DIB_RGB_COLORS,
                          SRCCOPY) != 0;
    GdiFlush();
    if (drawn)
      ql::convert_decoded_rows(static_cast<const uint8_t*>(band_bits), width * 4, width, rows,
                               native->owned.data() + size_t{top} * row);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(section);
  if (!drawn) {
    delete native;
    return nullptr;
  }
  native->record = {0, 16, width, height, bytes, native->owned.data()};
  return native;
}

}  // namespace

QL_API QlObject* QUILBuildPictureFromDIB(const void* info, const void* bits) {
  if (!info || !bits) return nullptr;
  const auto* dib = static_cast<const BITMAPINFO*>(info);
  if (!takes_dib(dib->bmiHeader)) return nullptr;
  const uint32_t width = static_cast<uint32_t>(dib->bmiHeader.biWidth);
  const uint32_t height =
      static_cast<uint32_t>(dib->bmiHeader.biHeight < 0 ? -dib->bmiHeader.biHeight : dib->bmiHeader.biHeight);
  // The same bound as pictures opened from files: the picture keeps its rows twice once drawn.
  const uint32_t bytes = ql::file_picture_bytes(width, height);
  if (bytes == 0) return nullptr;
  ql::NativePicture* native = convert(dib, bits, width, height, bytes);
  return native ? ql::new_picture(native, false) : nullptr;
}

QL_API void QUILPictureClearCache(QlObject* picture) {
  if (ql::NativePicture* native = ql::native_picture_of(picture)) ql::clear_native_picture_cache(*native);
}
