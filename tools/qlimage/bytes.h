// Little-endian byte access for the file formats qlimage reads and writes. Every read is bounds-checked:
// the inputs are object files, executables and images that may be truncated or hostile.
#pragma once

#include <stdint.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qlimage {

using Bytes = std::vector<uint8_t>;

class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint64_t size() const { return bytes_.size(); }
  const uint8_t* data() const { return bytes_.data(); }
  bool has(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  // Each returns false, leaving out alone, when the value does not lie wholly inside the view.
  bool u8(uint64_t offset, uint8_t& out) const;
  bool u16(uint64_t offset, uint16_t& out) const;
  bool u32(uint64_t offset, uint32_t& out) const;
  bool u64(uint64_t offset, uint64_t& out) const;
  // The sub-view [offset, offset + length), or an empty view when it does not fit.
  ByteView sub(uint64_t offset, uint64_t length) const;
  std::span<const uint8_t> span() const { return bytes_; }

 private:
  std::span<const uint8_t> bytes_;
};

uint16_t load_u16(const uint8_t* p);
uint32_t load_u32(const uint8_t* p);
uint64_t load_u64(const uint8_t* p);
uint32_t load_u32_be(const uint8_t* p);
void store_u32(uint8_t* p, uint32_t value);
void store_u64(uint8_t* p, uint64_t value);

void append_u8(Bytes& out, uint8_t value);
void append_u16(Bytes& out, uint16_t value);
void append_u32(Bytes& out, uint32_t value);
void append_bytes(Bytes& out, std::span<const uint8_t> bytes);
void append_text(Bytes& out, std::string_view text);
void pad_to(Bytes& out, uint64_t alignment);

constexpr uint64_t align_up(uint64_t value, uint64_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

std::string hex(uint64_t value);  // "0x1c"

}  // namespace qlimage
