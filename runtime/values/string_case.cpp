// StringUCase, StringLCase and StringTitleCase.
#include "values/string_case.h"

#include "quillet/string_library.h"
#include "values/string.h"

namespace ql {
namespace {

// A private copy whose text the caller may change, or null.
QlString private_copy(QlString s, char*& text) {
  QlString copy = string_from_bytes(string_cview(s), string_length(s));
  text = copy ? reinterpret_cast<char*>(string_writable_byte(copy, 0)) : nullptr;
  return copy;
}

}  // namespace

QlString changed_case(QlString s, void (*change)(char* text, uint32_t length)) {
  char* text;
  QlString copy = private_copy(s, text);
  if (copy) change(text, static_cast<uint32_t>(string_length(copy)));
  return copy;
}

QlString title_case(QlString s, const CodePage& code_page) {
  char* text;
  QlString copy = private_copy(s, text);
  const int32_t length = string_length(copy);
  bool word_start = true;
  for (int32_t at = 0; at < length;) {
    int32_t n = 1 + code_page.lead[static_cast<uint8_t>(text[at])];
    if (at + n > length) break;  // a lead byte without its trail byte
    uint16_t type = code_page.char_type(text + at, n);
    if (type & (kC1Space | kC1Blank)) {
      word_start = true;
    } else if (word_start) {
      word_start = false;
      if (!(type & kC1Upper)) code_page.upper(text + at, static_cast<uint32_t>(n));
    } else if (type & kC1Upper) {
      code_page.lower(text + at, static_cast<uint32_t>(n));
    }
    at += n;
  }
  return copy;
}

}  // namespace ql

using namespace ql;

QlString StringUCase(QlString s) { return changed_case(s, system_code_page().upper); }

QlString StringLCase(QlString s) { return changed_case(s, system_code_page().lower); }

QlString StringTitleCase(QlString s) { return title_case(s, system_code_page()); }
