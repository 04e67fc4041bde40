// Character tables of the system's ANSI code page, built once on first use, and the fixed folding table
// of the runtime's internal comparisons.
#pragma once

#include <stdint.h>

#include <array>

namespace ql {

// Builds the tables on the first call; true when the code page has lead bytes. While it does, only the
// lead-byte table is built and the DBCS paths ask the system for case and character types directly.
bool dbcs_check();

// 256 entries: 1 where the byte value is a DBCS lead byte, else 0. A character is 1 + entry bytes long.
const uint8_t* lead_byte_table();
// Each byte value upper-cased by the system; null while the code page has lead bytes.
const uint8_t* upper_case_table();
// Bit kBlank set for bytes the system classes as space or blank; null while the code page has lead bytes.
const uint8_t* white_space_flags();
constexpr uint8_t kBlank = 0x01;

// ASCII letters to upper case and the Mac Roman lower-case letters of 0x87..0xF5 to their capitals.
extern const std::array<uint8_t, 256> kFoldingTable;

}  // namespace ql
