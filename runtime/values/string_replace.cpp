// StringReplace and StringReplaceAll.
#include "values/string_replace.h"

#include <string.h>

#include <span>
#include <vector>

#include "quillet/string_library.h"
#include "values/string.h"
#include "values/string_search.h"

namespace ql {
namespace {

// s with the find_length bytes at each offset of matches (ascending, not overlapping) replaced.
QlString splice(QlString s, std::span<const int32_t> matches, int32_t find_length, QlString replacement) {
  if (matches.empty()) {
    string_retain(s);
    return s;
  }
  const int32_t length = string_length(s), replacement_length = string_length(replacement);
  int64_t total = length + static_cast<int64_t>(matches.size()) * (replacement_length - find_length);
  if (total <= 0 || total > INT32_MAX) return nullptr;
  QlString result = string_from_bytes(nullptr, static_cast<int32_t>(total));
  if (!result) return nullptr;
  const uint8_t* text = string_pview(s) + 1;
  const uint8_t* inserted = string_pview(replacement) + 1;
  uint8_t* out = string_writable_byte(result, 0);
  int32_t copied = 0;  // bytes of s consumed so far
  for (int32_t at : matches) {
    memcpy(out, text + copied, static_cast<size_t>(at - copied));
    out += at - copied;
    memcpy(out, inserted, static_cast<size_t>(replacement_length));
    out += replacement_length;
    copied = at + find_length;
  }
  memcpy(out, text + copied, static_cast<size_t>(length - copied));
  return result;
}

}  // namespace

QlString replace_first(QlString s, QlString find, QlString replacement, const CodePage* dbcs) {
  TextSearch search(s, find, dbcs);
  int32_t at = search.next(0);
  return at < 0 ? splice(s, {}, 0, replacement)
                : splice(s, std::span(&at, 1), search.find_length(), replacement);
}

QlString replace_all(QlString s, QlString find, QlString replacement, const CodePage* dbcs) {
  TextSearch search(s, find, dbcs);
  std::vector<int32_t> matches;
  for (int32_t at = search.next(0); at >= 0;
       at = search.next(static_cast<int64_t>(at) + search.find_length())) {
    matches.push_back(at);
  }
  return splice(s, matches, search.find_length(), replacement);
}

}  // namespace ql

QlString StringReplace(QlString s, QlString find, QlString replacement) {
  return ql::replace_first(s, find, replacement, ql::dbcs_code_page());
}

QlString StringReplaceAll(QlString s, QlString find, QlString replacement) {
  return ql::replace_all(s, find, replacement, ql::dbcs_code_page());
}
