// Comparisons: the language's locale-aware ones through the system, and the runtime's own byte-wise ones.
#include <string.h>

#include "platform/platform.h"
#include "quillet/strings.h"
#include "values/char_tables.h"
#include "values/string.h"

namespace ql {
namespace {

int sign_of_lengths(size_t a, size_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

int compare_folded(const uint8_t* a, size_t a_length, const uint8_t* b, size_t b_length) {
  size_t common = a_length < b_length ? a_length : b_length;
  for (size_t i = 0; i < common; ++i) {
    uint8_t x = kFoldingTable[a[i]], y = kFoldingTable[b[i]];
    if (x != y) return x < y ? -1 : 1;
  }
  return sign_of_lengths(a_length, b_length);
}

// The system answers 1, 2 or 3 for less, equal or greater, and 0 on failure, which counts as equal.
int32_t system_compare(bool ignore_case, QlString a, QlString b) {
  int result = platform::compare_string(ignore_case, string_cview(a), string_length(a), string_cview(b),
                                        string_length(b));
  return result == 0 ? 0 : result - 2;
}

}  // namespace

int string_compare_folded(QlString a, QlString b) {
  return compare_folded(string_pview(a) + 1, static_cast<size_t>(string_length(a)), string_pview(b) + 1,
                        static_cast<size_t>(string_length(b)));
}

int string_compare_folded_cstr(QlString a, const char* b) {
  if (!b) b = "";
  return compare_folded(string_pview(a) + 1, static_cast<size_t>(string_length(a)),
                        reinterpret_cast<const uint8_t*>(b), strlen(b));
}

int string_compare_bytes(QlString a, QlString b) {
  size_t a_length = static_cast<size_t>(string_length(a)), b_length = static_cast<size_t>(string_length(b));
  size_t common = a_length < b_length ? a_length : b_length;
  int result = common ? memcmp(string_pview(a) + 1, string_pview(b) + 1, common) : 0;
  if (result != 0) return result < 0 ? -1 : 1;
  return sign_of_lengths(a_length, b_length);
}

}  // namespace ql

int32_t RuntimeStringCompare(QlString a, QlString b) { return ql::system_compare(true, a, b); }

int32_t StringStrCompare(QlString a, QlString b, int32_t mode) {
  return mode == 0 ? ql::string_compare_bytes(a, b) : ql::system_compare(false, a, b);
}
