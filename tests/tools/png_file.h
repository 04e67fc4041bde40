// PNG files written by tests with libpng, for the pictures of project descriptions.
#pragma once

#include <png.h>

#include <cstring>
#include <vector>

#include "qlimage/bytes.h"

namespace qltest {

// An RGBA picture, rgba holding 4 bytes a pixel, top row first.
inline qlimage::Bytes png_file(uint32_t width, uint32_t height, const std::vector<uint8_t>& rgba) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
  qlimage::Bytes out(size);
  png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr);
  out.resize(size);
  return out;
}

}  // namespace qltest
