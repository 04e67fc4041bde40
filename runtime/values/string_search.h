// Case-insensitive search, the way the whole string library matches text: through the upper-case table on
// a single-byte code page; on a DBCS code page byte by byte on upper-cased copies, with matches starting
// only where a character starts.
#pragma once

#include <stdint.h>

#include <string>

#include "quillet/types.h"
#include "values/code_page.h"

namespace ql {

class TextSearch {
 public:
  // text and find are borrowed and must outlive the search. dbcs null: the single-byte path. A DBCS search
  // upper-cases both texts once, here, however often next() is asked.
  TextSearch(QlString text, QlString find, const CodePage* dbcs);

  // 0-based offset of the first match at or after from (a negative from counts as 0), or -1. An empty find
  // never matches.
  int32_t next(int64_t from) const;
  int32_t find_length() const { return find_length_; }

 private:
  int32_t next_single_byte(int32_t from, int32_t last) const;
  int32_t next_dbcs(int32_t from, int32_t last) const;
  bool ends_a_character(int32_t at) const;

  const uint8_t* text_;
  int32_t length_;
  const uint8_t* find_;
  int32_t find_length_;
  const CodePage* dbcs_;
  const uint8_t* upper_ = nullptr;  // single-byte path
  bool first_byte_unique_ = false;  // no other byte folds to the find's first one: memchr finds candidates
  std::string upper_text_, upper_find_;  // DBCS path
};

// 1-based byte position of the first match at or after byte position start, or 0. An empty find answers
// start - 1, never below 0.
int32_t in_str(int64_t start, QlString s, QlString find, const CodePage* dbcs);
// The same with start and result counted in characters of the DBCS code page.
int32_t in_str_chars(int32_t start, QlString s, QlString find, const CodePage& dbcs);

}  // namespace ql
