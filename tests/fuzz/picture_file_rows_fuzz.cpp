// Fuzz target: the platform-free side of pictures opened from files. A size is allowed exactly when both
// sides lie in 1 to 16384 and its 16-bit rows fit 64 MiB; decoded rows of any width and stride convert into
// rows of the record's layout, each component's top five bits kept, bit 15 and the padding clear.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "image/picture_record.h"
#include "ui/graphics/picture_file_rows.h"

namespace {

uint32_t word(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 12) return -1;
  // Any size for the check; a small one, and a stride at least a row long, for the conversion.
  const uint32_t width = word(data), height = word(data + 4);
  const uint32_t bytes = ql::file_picture_bytes(width, height);
  const bool sides = width >= 1 && width <= ql::image::kMaxPictureSide && height >= 1 &&
                     height <= ql::image::kMaxPictureSide;
  const uint64_t rows = uint64_t{ql::image::row_bytes(16, sides ? width : 1)} * (sides ? height : 1);
  if (bytes != (sides && rows <= ql::kMaxFilePictureBytes ? rows : 0)) __builtin_trap();
  const uint32_t band = ql::decode_band_rows(width);
  if (band == 0 || (band > 1 && uint64_t{band} * width * 4 > (1u << 20))) __builtin_trap();

  const uint32_t small_width = width % 64 + 1, small_rows = height % 8 + 1;
  const uint32_t stride = small_width * 4 + word(data + 8) % 16;
  const uint8_t* pixels = data + 12;
  const size_t available = size - 12;
  if (available < size_t{stride} * (small_rows - 1) + size_t{small_width} * 4) return 0;
  const uint32_t out_row = ql::image::row_bytes(16, small_width);
  std::vector<uint8_t> out(size_t{out_row} * small_rows, 0xAA);
  ql::convert_decoded_rows(pixels, stride, small_width, small_rows, out.data());
  for (uint32_t y = 0; y < small_rows; ++y) {
    const uint8_t* in = pixels + size_t{y} * stride;
    const uint8_t* line = out.data() + size_t{y} * out_row;
    for (uint32_t x = 0; x < small_width; ++x) {
      const uint16_t pixel = static_cast<uint16_t>(line[2 * x] | line[2 * x + 1] << 8);
      const uint8_t* p = in + size_t{x} * 4;
      if ((pixel & 0x8000) || (pixel >> 10 & 31) != p[2] >> 3 || (pixel >> 5 & 31) != p[1] >> 3 ||
          (pixel & 31) != p[0] >> 3)
        __builtin_trap();
    }
    for (uint32_t at = 2 * small_width; at < out_row; ++at) {
      if (line[at] != 0) __builtin_trap();
    }
  }
  return 0;
}
