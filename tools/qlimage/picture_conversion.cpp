// Reading PNG files with libpng and converting their pixels.
#include "qlimage/picture_conversion.h"

#include <png.h>

#include <cstring>

#include "image/picture_record.h"

namespace qlimage {

std::optional<DecodedPng> decode_png(const Bytes& file, std::string& problem) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
    problem = std::string("is not a PNG file that can be read: ") + image.message;
    png_image_free(&image);
    return std::nullopt;
  }
  if (image.width > ql::image::kMaxPictureSide || image.height > ql::image::kMaxPictureSide) {
    problem = "is " + std::to_string(image.width) + " x " + std::to_string(image.height) +
              " pixels, too large for a picture of the image (at most " +
              std::to_string(ql::image::kMaxPictureSide) + " pixels a side); scale it down";
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  DecodedPng out;
  out.width = image.width;
  out.height = image.height;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    problem = std::string("is a damaged PNG file: ") + image.message;
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

std::vector<uint8_t> pixels_555(const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height) {
  uint32_t row = ql::image::row_bytes(16, width);
  std::vector<uint8_t> out(uint64_t{row} * height, 0);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = &rgba[(uint64_t{y} * width + x) * 4];
      uint16_t pixel =
          p[3] < 128 ? 0x7FFF : static_cast<uint16_t>((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3));
      uint8_t* q = &out[uint64_t{y} * row + 2ull * x];
      q[0] = static_cast<uint8_t>(pixel);
      q[1] = static_cast<uint8_t>(pixel >> 8);
    }
  }
  return out;
}

}  // namespace qlimage
