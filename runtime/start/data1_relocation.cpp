#include "start/data1_relocation.h"

#include <cstring>

#include "start/image_format.h"

namespace ql::image {

bool relocate_data1(const uint8_t* data2, uint32_t data2_length, uint8_t* data1, uint32_t data1_length,
                    uint32_t code1_address, uint32_t data1_address, std::string& error) {
  uint64_t cursor = 0;  // wide, so that long skips cannot wrap
  for (uint32_t i = 0; i + 1 < data2_length; i += 2) {
    uint16_t word = static_cast<uint16_t>(data2[i] | data2[i + 1] << 8);
    if ((word & kSkipMask) == kSkip) {
      cursor += (word & 0x0FFFu) + 1;
      continue;
    }
    uint32_t base;
    switch (word & kRunMask) {
      case kRunCode1:
      case kRunCode1Alt:
        base = code1_address;
        break;
      case kRunData1:
        base = data1_address;
        break;
      default:
        continue;  // unknown kinds are ignored and leave the cursor where it is
    }
    uint32_t count = (word & 0x01FFu) + 1;
    if (cursor + 4ull * count > data1_length) {
      error = "relocation word " + std::to_string(i / 2) +
              " of data2 reaches past the end of data1 (offset " + std::to_string(cursor) + ", " +
              std::to_string(count) + " words, data1 has " + std::to_string(data1_length) + " bytes)";
      return false;
    }
    for (uint32_t k = 0; k < count; ++k, cursor += 4) {
      uint32_t value;
      std::memcpy(&value, data1 + cursor, 4);
      value += base;
      std::memcpy(data1 + cursor, &value, 4);
    }
  }
  return true;
}

}  // namespace ql::image
