// Reading and writing the variable integers and texts of the image's streams.
#include "image/stream_reader.h"

namespace ql::image {

uint8_t StreamReader::byte() {
  if (pos_ >= end_) {
    ok_ = false;
    return 0;
  }
  return *pos_++;
}

uint32_t StreamReader::u32_be() {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | byte();
  return value;
}

int32_t StreamReader::varint() {
  uint8_t first = byte();
  bool negative = (first & 0x40) != 0;
  uint32_t magnitude = first & 0x3F;
  int shift = 6;
  uint8_t current = first;
  while ((current & 0x80) && ok_) {
    current = byte();
    if (shift < 32) magnitude |= static_cast<uint32_t>(current & 0x7F) << shift;
    shift += 7;
  }
  if (magnitude == kMissingIndex || !negative) return static_cast<int32_t>(magnitude);
  return static_cast<int32_t>(0u - magnitude);
}

std::string_view StreamReader::text() {
  int32_t length = varint();
  if (length <= 0 || !ok_) return {};
  if (static_cast<uint32_t>(length) > remaining()) {
    ok_ = false;
    pos_ = end_;
    return {};
  }
  std::string_view result(reinterpret_cast<const char*>(pos_), static_cast<size_t>(length));
  pos_ += length;
  return result;
}

bool StreamReader::skip(uint32_t n) {
  if (n > remaining()) {
    ok_ = false;
    pos_ = end_;
    return false;
  }
  pos_ += n;
  return true;
}

void write_varint(std::vector<uint8_t>& out, int32_t value) {
  uint32_t magnitude = static_cast<uint32_t>(value);
  uint8_t sign = 0;
  if (value < 0 && magnitude != kMissingIndex) {
    magnitude = 0u - magnitude;
    sign = 0x40;
  }
  uint8_t first = sign | (magnitude & 0x3F);
  magnitude >>= 6;
  out.push_back(first | (magnitude ? 0x80 : 0));
  while (magnitude) {
    uint8_t next = magnitude & 0x7F;
    magnitude >>= 7;
    out.push_back(next | (magnitude ? 0x80 : 0));
  }
}

void write_text(std::vector<uint8_t>& out, std::string_view text) {
  write_varint(out, static_cast<int32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

void write_u32_be(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace ql::image
