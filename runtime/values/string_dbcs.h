// Character walks over DBCS text: a character is 1 + lead[first byte] bytes, lead being a 256-entry
// lead-byte table (the system's one from lead_byte_table(), or any other). Positions and counts are in
// characters and 1-based; a lead byte in the last position counts as one character.
#pragma once

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

int32_t dbcs_char_count(QlString s, const uint8_t* lead);
// 1-based byte position where character k starts: k itself for k <= 1, length + 1 past the last character.
int32_t dbcs_char_start(QlString s, int64_t k, const uint8_t* lead);

QlString dbcs_left(QlString s, int32_t n, const uint8_t* lead);
QlString dbcs_right(QlString s, int32_t n, const uint8_t* lead);
QlString dbcs_mid2(QlString s, int32_t start, const uint8_t* lead);
QlString dbcs_mid3(QlString s, int32_t start, int32_t n, const uint8_t* lead);
// First byte, or first byte * 256 + second when the string starts with a two-byte character.
int32_t dbcs_asc(QlString s, const uint8_t* lead);

}  // namespace ql
