// Sizes and rows of pictures opened from files.
#include "ui/graphics/picture_file_rows.h"

#include <cstring>

#include "image/picture_record.h"

namespace ql {

uint32_t file_picture_bytes(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0 || width > image::kMaxPictureSide || height > image::kMaxPictureSide)
    return 0;
  uint64_t bytes = uint64_t{image::row_bytes(16, width)} * height;
  return bytes > kMaxFilePictureBytes ? 0 : static_cast<uint32_t>(bytes);
}

uint32_t decode_band_rows(uint32_t width) {
  constexpr uint64_t kBandBytes = 1 << 20;
  uint64_t row = uint64_t{width} * 4;
  return row == 0 || row >= kBandBytes ? 1 : static_cast<uint32_t>(kBandBytes / row);
}

void convert_decoded_rows(const uint8_t* decoded, uint32_t stride, uint32_t width, uint32_t rows,
                          uint8_t* out) {
  const size_t out_row = image::row_bytes(16, width);
  for (uint32_t y = 0; y < rows; ++y) {
    const uint8_t* in = decoded + size_t{y} * stride;
    uint8_t* line = out + size_t{y} * out_row;
    std::memset(line, 0, out_row);
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = in + size_t{x} * 4;
      auto pixel = static_cast<uint16_t>((p[2] >> 3) << 10 | (p[1] >> 3) << 5 | (p[0] >> 3));
      line[2 * x] = static_cast<uint8_t>(pixel);
      line[2 * x + 1] = static_cast<uint8_t>(pixel >> 8);
    }
  }
}

}  // namespace ql
