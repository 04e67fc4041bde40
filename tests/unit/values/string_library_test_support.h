// A Shift-JIS-like code page for the string library's DBCS paths, and helpers that take over results.
#pragma once

#include <array>
#include <string>

#include "platform/platform.h"
#include "string_test_support.h"
#include "values/code_page.h"

namespace ql::testing {

// Takes over a result reference and answers its text.
inline std::string own(QlString s) { return text(StringRef(s).get()); }

// Lead bytes 0x81-0x9F and 0xE0-0xFC. Among the two-byte characters: 0x81 0x40 is the ideographic space,
// 0x82 0x60-0x79 are the full-width capitals and 0x82 0x81-0x9A the full-width small letters. Trail bytes
// are never changed by case mapping.
class FakeDbcs {
 public:
  static const CodePage& code_page() {
    static const std::array<uint8_t, 256> lead = [] {
      std::array<uint8_t, 256> table{};
      for (int byte = 0x81; byte <= 0x9F; ++byte) table[byte] = 1;
      for (int byte = 0xE0; byte <= 0xFC; ++byte) table[byte] = 1;
      return table;
    }();
    static const CodePage fake{lead.data(), upper, lower, char_type};
    return fake;
  }

 private:
  static bool is_lead(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }

  template <typename Map>
  static void each_character(char* text, uint32_t length, Map map) {
    for (uint32_t i = 0; i < length; ++i) {
      auto* p = reinterpret_cast<uint8_t*>(text + i);
      if (is_lead(p[0]) && i + 1 < length) {
        map(p, 2);
        ++i;
      } else {
        map(p, 1);
      }
    }
  }

  static void upper(char* text, uint32_t length) {
    each_character(text, length, [](uint8_t* p, int n) {
      if (n == 1 && p[0] >= 'a' && p[0] <= 'z') p[0] -= 0x20;
      if (n == 2 && p[0] == 0x82 && p[1] >= 0x81 && p[1] <= 0x9A) p[1] -= 0x21;
    });
  }

  static void lower(char* text, uint32_t length) {
    each_character(text, length, [](uint8_t* p, int n) {
      if (n == 1 && p[0] >= 'A' && p[0] <= 'Z') p[0] += 0x20;
      if (n == 2 && p[0] == 0x82 && p[1] >= 0x60 && p[1] <= 0x79) p[1] += 0x21;
    });
  }

  static uint16_t char_type(const char* character, int length) {
    auto* p = reinterpret_cast<const uint8_t*>(character);
    if (length == 1) return p[0] < 0x80 ? platform::char_type_c1(p[0]) : 0x100;
    if (p[0] == 0x81 && p[1] == 0x40) return 0x248;
    if (p[0] == 0x82 && p[1] >= 0x60 && p[1] <= 0x79) return 0x301;
    if (p[0] == 0x82 && p[1] >= 0x81 && p[1] <= 0x9A) return 0x302;
    return 0x300;
  }
};

}  // namespace ql::testing
