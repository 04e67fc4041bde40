// Bounds-checked little-endian reads and writes of the formats qlimage handles.
#include "qlimage/bytes.h"

#include <stdio.h>

namespace qlimage {

bool ByteView::u8(uint64_t offset, uint8_t& out) const {
  if (!has(offset, 1)) return false;
  out = bytes_[offset];
  return true;
}

bool ByteView::u16(uint64_t offset, uint16_t& out) const {
  if (!has(offset, 2)) return false;
  out = load_u16(bytes_.data() + offset);
  return true;
}

bool ByteView::u32(uint64_t offset, uint32_t& out) const {
  if (!has(offset, 4)) return false;
  out = load_u32(bytes_.data() + offset);
  return true;
}

bool ByteView::u64(uint64_t offset, uint64_t& out) const {
  if (!has(offset, 8)) return false;
  out = load_u64(bytes_.data() + offset);
  return true;
}

ByteView ByteView::sub(uint64_t offset, uint64_t length) const {
  if (!has(offset, length)) return ByteView();
  return ByteView(bytes_.subspan(offset, length));
}

uint16_t load_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t load_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint64_t load_u64(const uint8_t* p) {
  return static_cast<uint64_t>(load_u32(p)) | (static_cast<uint64_t>(load_u32(p + 4)) << 32);
}

uint32_t load_u32_be(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

void store_u32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

void store_u64(uint8_t* p, uint64_t value) {
  store_u32(p, static_cast<uint32_t>(value));
  store_u32(p + 4, static_cast<uint32_t>(value >> 32));
}

void append_u8(Bytes& out, uint8_t value) { out.push_back(value); }

void append_u16(Bytes& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void append_u32(Bytes& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void append_bytes(Bytes& out, std::span<const uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

void append_text(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void pad_to(Bytes& out, uint64_t alignment) { out.resize(align_up(out.size(), alignment), 0); }

std::string hex(uint64_t value) {
  char buffer[24];
  snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
  return buffer;
}

}  // namespace qlimage
