// Picture records (project item kind 1): Transparent, depth, size and the pixel rows, top row first. Depth
// 16 rows hold (width + 1) / 2 * 4 bytes of 5-5-5 pixels.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace ql::image {

struct PictureRecord {
  uint32_t transparent = 0;
  uint32_t depth = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t byte_count = 0;
  const uint8_t* pixels = nullptr;  // in place in data1
};

constexpr uint32_t kPictureHeaderSize = 24;  // from the kind word to the pixels
constexpr uint32_t kMaxPictureSide = 16384;

constexpr uint32_t row_bytes(uint32_t depth, uint32_t width) {
  return depth == 16 ? (width + 1) / 2 * 4 : (width * depth + 31) / 32 * 4;
}

// record points at the kind word; available is how many bytes data1 holds from there. False when the record
// is cut short or its byte count does not match its size.
bool decode_picture_record(const uint8_t* record, uint32_t available, PictureRecord& out,
                           std::string& problem);

// The whole record, kind word included; pixels must hold row_bytes(depth, width) * height bytes.
std::vector<uint8_t> encode_picture_record(uint32_t transparent, uint32_t depth, uint32_t width,
                                           uint32_t height, const std::vector<uint8_t>& pixels);

}  // namespace ql::image
