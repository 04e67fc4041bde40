// The compact integers and texts of every stream in the application image, and a bounded reader for
// them: reading past the end yields zeros and marks the reader failed instead of touching memory.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

namespace ql::image {

constexpr uint32_t kMissingIndex = 0x80000000u;

class StreamReader {
 public:
  StreamReader(const uint8_t* data, uint32_t length) : pos_(data), end_(data + length) {}

  uint8_t byte();
  uint32_t u32_be();
  int32_t varint();
  std::string_view text();  // a variable-integer length, then that many bytes
  bool skip(uint32_t n);

  bool ok() const { return ok_; }
  const uint8_t* position() const { return pos_; }
  uint32_t remaining() const { return static_cast<uint32_t>(end_ - pos_); }

 private:
  const uint8_t* pos_;
  const uint8_t* end_;
  bool ok_ = true;
};

void write_varint(std::vector<uint8_t>& out, int32_t value);
void write_text(std::vector<uint8_t>& out, std::string_view text);
void write_u32_be(std::vector<uint8_t>& out, uint32_t value);

}  // namespace ql::image
