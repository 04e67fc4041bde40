// The DBCS-aware twins of the counting operations. While the code page has no lead bytes each entry
// point takes its single-byte twin's path; the walks themselves take any lead-byte table.
#include "values/string_dbcs.h"

#include "quillet/strings.h"
#include "values/char_tables.h"
#include "values/string.h"

namespace ql {
namespace {

const uint8_t* text_of(QlString s) { return string_pview(s) + 1; }

// 0-based offset just past the first n characters (n >= 1), at most the length.
int32_t end_of_chars(QlString s, int64_t n, const uint8_t* lead) {
  const uint8_t* text = text_of(s);
  int64_t length = string_length(s), offset = 0;
  for (int64_t i = 0; i < n && offset < length; ++i) offset += 1 + lead[text[offset]];
  return static_cast<int32_t>(offset < length ? offset : length);
}

}  // namespace

int32_t dbcs_char_count(QlString s, const uint8_t* lead) {
  const uint8_t* text = text_of(s);
  int32_t length = string_length(s), count = 0;
  for (int32_t offset = 0; offset < length; offset += 1 + lead[text[offset]]) ++count;
  return count;
}

int32_t dbcs_char_start(QlString s, int64_t k, const uint8_t* lead) {
  if (k <= 1) return static_cast<int32_t>(k < INT32_MIN ? INT32_MIN : k);
  int32_t length = string_length(s);
  int32_t offset = end_of_chars(s, k - 1, lead);
  // Short of k characters: the position just past the text.
  return offset >= length ? length + 1 : offset + 1;
}

QlString dbcs_left(QlString s, int32_t n, const uint8_t* lead) {
  if (n <= 0 || !s) return nullptr;
  return string_left(s, end_of_chars(s, n, lead));
}

QlString dbcs_right(QlString s, int32_t n, const uint8_t* lead) {
  if (n <= 0) return nullptr;
  int32_t count = dbcs_char_count(s, lead);
  if (n >= count) {
    string_retain(s);
    return s;
  }
  return string_mid2(s, dbcs_char_start(s, static_cast<int64_t>(count) - n + 1, lead));
}

QlString dbcs_mid2(QlString s, int32_t start, const uint8_t* lead) {
  return string_mid2(s, dbcs_char_start(s, start, lead));
}

QlString dbcs_mid3(QlString s, int32_t start, int32_t n, const uint8_t* lead) {
  int64_t last_char = static_cast<int64_t>(start) + n - 1;
  if (last_char < 1) return nullptr;
  // A start before the text eats into the count, so the result always ends with character last_char.
  int64_t first = start < 1 ? 1 : dbcs_char_start(s, start, lead);
  int64_t last = dbcs_char_start(s, last_char + 1, lead) - 1;  // the last byte of character last_char
  if (last < first) return nullptr;
  return string_mid3(s, static_cast<int32_t>(first), static_cast<int32_t>(last - first + 1));
}

int32_t dbcs_asc(QlString s, const uint8_t* lead) {
  const uint8_t* text = text_of(s);
  if (string_length(s) >= 2 && lead[text[0]]) return text[0] * 256 + text[1];
  return string_length(s) > 0 ? text[0] : 0;
}

}  // namespace ql

using namespace ql;

int32_t StringDBCSLen(QlString s) {
  return dbcs_check() ? dbcs_char_count(s, lead_byte_table()) : StringLen(s);
}

QlString StringDBCSLeft(QlString s, int32_t n) {
  return dbcs_check() ? dbcs_left(s, n, lead_byte_table()) : string_left(s, n);
}

QlString StringDBCSRight(QlString s, int32_t n) {
  return dbcs_check() ? dbcs_right(s, n, lead_byte_table()) : string_right(s, n);
}

QlString StringDBCSMid2(QlString s, int32_t start) {
  return dbcs_check() ? dbcs_mid2(s, start, lead_byte_table()) : string_mid2(s, start);
}

QlString StringDBCSMid3(QlString s, int32_t start, int32_t n) {
  return dbcs_check() ? dbcs_mid3(s, start, n, lead_byte_table()) : string_mid3(s, start, n);
}

int32_t StringDBCSAsc(QlString s) { return dbcs_check() ? dbcs_asc(s, lead_byte_table()) : StringAsc(s); }

// Two bytes for any value from 256 up, whatever the code page.
QlString StringDBCSChr(int32_t n) {
  if (n < 256) return StringChr(n);
  uint8_t bytes[2] = {static_cast<uint8_t>((n / 256) & 0xFF), static_cast<uint8_t>(n % 256)};
  return string_from_bytes(bytes, 2);
}
