// runLTrim, runRTrim and runTrim.
#include "values/string_trim.h"

#include "quillet/string_library.h"
#include "values/char_tables.h"
#include "values/string.h"

namespace ql {
namespace {

struct Span {
  int32_t begin, end;  // 0-based, end exclusive
};

Span trim_bytes(const uint8_t* text, int32_t length, TrimEnds ends) {
  const uint8_t* white = white_space_flags();
  Span kept{0, length};
  if (ends & kTrimLeading) {
    while (kept.begin < kept.end && (white[text[kept.begin]] & kBlank)) ++kept.begin;
  }
  if (ends & kTrimTrailing) {
    while (kept.end > kept.begin && (white[text[kept.end - 1]] & kBlank)) --kept.end;
  }
  return kept;
}

// Characters can only be told apart walking forward, so the trailing end is the end of the last non-blank
// character met on the way.
Span trim_chars(const uint8_t* text, int32_t length, TrimEnds ends, const CodePage& code_page) {
  auto blank_at = [&](int32_t at, int32_t n) {
    return (code_page.char_type(reinterpret_cast<const char*>(text + at), n) & kC1Space) != 0;
  };
  Span kept{0, length};
  if (ends & kTrimLeading) {
    for (int32_t n; kept.begin < length; kept.begin += n) {
      n = char_bytes(text, kept.begin, length, code_page.lead);
      if (!blank_at(kept.begin, n)) break;
    }
  }
  if (ends & kTrimTrailing) {
    kept.end = kept.begin;
    for (int32_t at = kept.begin, n; at < length; at += n) {
      n = char_bytes(text, at, length, code_page.lead);
      if (!blank_at(at, n)) kept.end = at + n;
    }
  }
  return kept;
}

}  // namespace

QlString trim(QlString s, TrimEnds ends, const CodePage* dbcs) {
  const uint8_t* text = string_pview(s) + 1;
  int32_t length = string_length(s);
  Span kept = dbcs ? trim_chars(text, length, ends, *dbcs) : trim_bytes(text, length, ends);
  return string_mid3(s, kept.begin + 1, kept.end - kept.begin);
}

}  // namespace ql

QlString runLTrim(QlString s) { return ql::trim(s, ql::kTrimLeading, ql::dbcs_code_page()); }

QlString runRTrim(QlString s) { return ql::trim(s, ql::kTrimTrailing, ql::dbcs_code_page()); }

QlString runTrim(QlString s) { return ql::trim(s, ql::kTrimBoth, ql::dbcs_code_page()); }
