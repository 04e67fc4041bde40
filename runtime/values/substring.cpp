// Substrings by byte. Arithmetic on positions is widened so that extreme arguments clamp instead of
// overflowing.
#include "values/string.h"

namespace ql {
namespace {

QlString whole(QlString s) {
  string_retain(s);
  return s;
}

QlString piece(QlString s, int64_t offset, int64_t n) {
  return string_from_bytes(string_pview(s) + 1 + offset, static_cast<int32_t>(n));
}

}  // namespace

QlString string_left(QlString s, int32_t n) {
  int32_t length = string_length(s);
  if (n >= length) return whole(s);
  if (n < 1) return nullptr;
  return piece(s, 0, n);
}

QlString string_right(QlString s, int32_t n) {
  int32_t length = string_length(s);
  if (n >= length) return whole(s);
  if (n < 1) return nullptr;
  return piece(s, length - n, n);
}

QlString string_mid2(QlString s, int32_t start) {
  int32_t length = string_length(s);
  if (start <= 1) return whole(s);
  if (start > length) return nullptr;
  return piece(s, start - 1, static_cast<int64_t>(length) - start + 1);
}

QlString string_mid3(QlString s, int32_t start, int32_t n) {
  int64_t length = string_length(s);
  int64_t offset = static_cast<int64_t>(start) - 1;
  int64_t count = n;
  if (offset < 0) {  // a start before the text eats into the count
    count += offset;
    offset = 0;
  }
  if (offset >= length || count < 1) return nullptr;
  if (offset == 0 && count >= length) return whole(s);
  return piece(s, offset, count < length - offset ? count : length - offset);
}

}  // namespace ql
