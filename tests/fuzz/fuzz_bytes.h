// A fuzz target's input read as numbers: bytes in order, big-endian words, zeros once it runs out.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace ql::fuzzing {

struct FuzzBytes {
  const uint8_t* data;
  size_t size;
  uint8_t byte() {
    if (!size) return 0;
    --size;
    return *data++;
  }
  int32_t word() {
    uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = w << 8 | byte();
    return static_cast<int32_t>(w);
  }
};

}  // namespace ql::fuzzing
