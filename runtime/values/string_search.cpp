// StringInStr and its DBCS twin, and the search step behind replacing, field splitting and formatting.
#include "values/string_search.h"

#include <string.h>

#include <array>

#include "quillet/string_library.h"
#include "values/char_tables.h"
#include "values/string.h"
#include "values/string_dbcs.h"

namespace ql {
namespace {

const uint8_t* bytes_of(QlString s) { return string_pview(s) + 1; }

// Whether no other byte value upper-cases to the same byte as this one. The upper-case table is built once
// per process, and so is this answer.
bool folds_alone(uint8_t byte) {
  static const std::array<bool, 256> alone = [] {
    const uint8_t* upper = upper_case_table();
    std::array<int, 256> folding_to{};
    for (int b = 0; b < 256; ++b) ++folding_to[upper[b]];
    std::array<bool, 256> answer{};
    for (int b = 0; b < 256; ++b) answer[b] = folding_to[upper[b]] == 1;
    return answer;
  }();
  return alone[byte];
}

std::string upper_cased(QlString s, const CodePage& code_page) {
  std::string copy(string_cview(s), static_cast<size_t>(string_length(s)));
  code_page.upper(copy.data(), static_cast<uint32_t>(copy.size()));
  return copy;
}

}  // namespace

TextSearch::TextSearch(QlString text, QlString find, const CodePage* dbcs)
    : text_(bytes_of(text)),
      length_(string_length(text)),
      find_(bytes_of(find)),
      find_length_(string_length(find)),
      dbcs_(dbcs) {
  if (find_length_ == 0) return;
  if (dbcs) {
    upper_text_ = upper_cased(text, *dbcs);
    upper_find_ = upper_cased(find, *dbcs);
    return;
  }
  upper_ = upper_case_table();
  first_byte_unique_ = folds_alone(find_[0]);
}

int32_t TextSearch::next(int64_t from) const {
  if (find_length_ == 0 || length_ == 0) return -1;
  if (from < 0) from = 0;
  if (from >= length_ || length_ - from < find_length_) return -1;
  int32_t last = length_ - find_length_;  // the last offset where a match fits
  return dbcs_ ? next_dbcs(static_cast<int32_t>(from), last)
               : next_single_byte(static_cast<int32_t>(from), last);
}

int32_t TextSearch::next_single_byte(int32_t from, int32_t last) const {
  const uint8_t first = upper_[find_[0]];
  for (int32_t at = from; at <= last; ++at) {
    if (first_byte_unique_) {
      const void* hit = memchr(text_ + at, find_[0], static_cast<size_t>(last - at) + 1);
      if (!hit) return -1;
      at = static_cast<int32_t>(static_cast<const uint8_t*>(hit) - text_);
    } else if (upper_[text_[at]] != first) {
      continue;
    }
    int32_t i = 1;
    while (i < find_length_ && upper_[text_[at + i]] == upper_[find_[i]]) ++i;
    if (i == find_length_) return at;
  }
  return -1;
}

int32_t TextSearch::next_dbcs(int32_t from, int32_t last) const {
  const auto* text = reinterpret_cast<const uint8_t*>(upper_text_.data());
  for (int32_t at = from; at <= last; at += char_bytes(text, at, length_, dbcs_->lead)) {
    if (memcmp(text + at, upper_find_.data(), static_cast<size_t>(find_length_)) == 0 && ends_a_character(at))
      return at;
  }
  return -1;
}

// Whether the match at character boundary `at` ends on one too: a find ending in a lead byte must not match
// the first half of a two-byte character.
bool TextSearch::ends_a_character(int32_t at) const {
  const auto* text = reinterpret_cast<const uint8_t*>(upper_text_.data());
  int32_t end = at + find_length_;
  while (at < end) at += char_bytes(text, at, length_, dbcs_->lead);
  return at == end;
}

int32_t in_str(int64_t start, QlString s, QlString find, const CodePage* dbcs) {
  if (string_length(s) == 0) return 0;
  int64_t from = start - 1;
  if (string_length(find) == 0) return static_cast<int32_t>(from < INT32_MIN ? INT32_MIN : from);
  int32_t at = TextSearch(s, find, dbcs).next(from);
  return at < 0 ? 0 : at + 1;
}

int32_t in_str_chars(int32_t start, QlString s, QlString find, const CodePage& dbcs) {
  int32_t byte_start = start <= 0 ? 0 : dbcs_char_start(s, start, dbcs.lead);
  int32_t position = in_str(byte_start, s, find, &dbcs);
  if (position <= 0) return position;
  // Characters that start within the first position bytes: the one holding byte position, counted from 1.
  const uint8_t* text = bytes_of(s);
  int32_t length = string_length(s), characters = 0;
  for (int32_t at = 0; at < position && at < length; at += char_bytes(text, at, length, dbcs.lead)) {
    ++characters;
  }
  return characters;
}

}  // namespace ql

int32_t StringInStr(int32_t start, QlString s, QlString find) {
  return ql::in_str(start, s, find, ql::dbcs_code_page());
}

int32_t StringDBCSInStr(int32_t start, QlString s, QlString find) {
  const ql::CodePage* dbcs = ql::dbcs_code_page();
  return dbcs ? ql::in_str_chars(start, s, find, *dbcs) : StringInStr(start, s, find);
}
