// Helpers that write the records of an application image for tests.
#pragma once

#include <stdint.h>

#include <cstring>
#include <string>
#include <vector>

namespace ql::test {

using Bytes = std::vector<uint8_t>;

inline void put_u32(Bytes& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void put_u16(Bytes& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline uint32_t get_u32(const uint8_t* p) {
  uint32_t value;
  std::memcpy(&value, p, 4);
  return value;
}

inline void set_u32(Bytes& out, size_t at, uint32_t value) { std::memcpy(out.data() + at, &value, 4); }

inline void import_record(Bytes& code2, uint32_t chain_head, const std::string& name) {
  code2.push_back(1);
  put_u32(code2, chain_head);
  code2.push_back(static_cast<uint8_t>(name.size()));
  code2.insert(code2.end(), name.begin(), name.end());
}

inline void fixup_record(Bytes& code2, uint32_t offset) {
  code2.push_back(2);
  put_u32(code2, offset);
}

// code1 of n call instructions (E8 and a displacement) chained in order, starting at `start`.
inline Bytes chained_calls(uint32_t start, int n, uint32_t spacing = 5) {
  Bytes code(start + n * spacing + 1, 0x90);
  for (int i = 0; i < n; ++i) {
    uint32_t at = start + i * spacing;
    code[at] = 0xE8;
    set_u32(code, at + 1, i + 1 < n ? at + spacing + 1 : 0);
  }
  return code;
}

}  // namespace ql::test
