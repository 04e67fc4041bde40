// Turning decoded PNG pixels into the image's 16-bit picture rows: 0RRRRRGGGGGBBBBB from the top 5 bits of
// each 8-bit channel, rows of (width + 1) / 2 * 4 bytes; a pixel with alpha below 128 becomes white 0x7FFF,
// which transparent drawing leaves out.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "qlimage/bytes.h"

namespace qlimage {

struct DecodedPng {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgba;  // 4 bytes a pixel, top row first
};

// nullopt with problem set when the bytes are not a PNG file libpng can read.
std::optional<DecodedPng> decode_png(const Bytes& file, std::string& problem);

std::vector<uint8_t> pixels_555(const std::vector<uint8_t>& rgba, uint32_t width, uint32_t height);

}  // namespace qlimage
