// The meaning of a byte from 0x80 up in code page 932: half-width katakana from 0xA1 to 0xDF, the first
// byte of a double-byte character from 0x81 to 0x9F and from 0xE0 to 0xFC, no character otherwise.
#include "lessontable/code_pages.h"

#include <stdio.h>

namespace lessontable {
namespace {

std::string in_code_page_932(unsigned char byte) {
  if (byte >= 0xA1 && byte <= 0xDF) {
    char name[40];
    snprintf(name, sizeof name, "the half-width katakana U+%04X", 0xFF61 + (byte - 0xA1));
    return name;
  }
  if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
    return "the first half of a double-byte character, which takes the next byte with it";
  }
  return "no character at all";
}

}  // namespace

std::string code_page_problem(std::string_view bytes) {
  for (unsigned char byte : bytes) {
    if (byte < 0x80) continue;
    char code[8];
    snprintf(code, sizeof code, "0x%02X", byte);
    return "holds '" + std::string(1, static_cast<char>(byte)) + "' (byte " + code +
           "), which a Japanese system (code page 932) shows as " + in_code_page_932(byte) +
           ": write the text in ASCII (for '\xA3"
           "1.20', '1.20 pounds')";
  }
  return {};
}

}  // namespace lessontable
