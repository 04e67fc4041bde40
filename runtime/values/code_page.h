// The code page as the string library's character-aware paths see it: lead bytes, case mapping and
// character types. The library takes the system's one; tests hand in others to reach the DBCS paths on
// a code page without lead bytes.
#pragma once

#include <stdint.h>

namespace ql {

// CT_CTYPE1 bits the library tests.
constexpr uint16_t kC1Upper = 0x01;
constexpr uint16_t kC1Space = 0x08;
constexpr uint16_t kC1Blank = 0x40;

struct CodePage {
  const uint8_t* lead;                         // 256 entries: 1 at a lead byte
  void (*upper)(char* text, uint32_t length);  // in place, aware of two-byte characters
  void (*lower)(char* text, uint32_t length);
  uint16_t (*char_type)(const char* character, int length);  // CT_CTYPE1 of one 1- or 2-byte character
};

// The system's ANSI code page.
const CodePage& system_code_page();

// The code page the DBCS paths run on, or null while the system's has no lead bytes and the single-byte
// paths (through the upper-case table and the white-space flags) apply.
const CodePage* dbcs_code_page();

// Bytes of the character starting at text[offset], never past length: a lead byte in the last position
// is a character of its own.
inline int32_t char_bytes(const uint8_t* text, int32_t offset, int32_t length, const uint8_t* lead) {
  return lead[text[offset]] && offset + 1 < length ? 2 : 1;
}

}  // namespace ql
