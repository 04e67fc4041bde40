// StringStr, runCStr, StringVal, runCDbl, RuntimeHex and RuntimeOct.
#include "values/number_text.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "quillet/string_library.h"
#include "values/number_locale.h"
#include "values/string.h"

namespace ql {
namespace {

QlString to_string(std::string_view text) {
  return string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
}

std::string_view view_of(QlString s) {
  return std::string_view(string_cview(s), static_cast<size_t>(string_length(s)));
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The longest prefix of text, after leading white space, that the classic C library's "%lf" reads: a sign,
// digits with at most one decimal point (at least one digit), then an exponent only when it has digits.
// Newer libraries also read hexadecimal numbers, "inf" and "nan"; an application written for the classic
// reading gets 0 for those, as before. Empty when no number begins there.
std::string classic_number_prefix(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && is_blank(text[at])) ++at;
  const size_t start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  size_t digits = 0;
  while (at < text.size() && is_digit(text[at])) ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && is_digit(text[at])) ++at, ++digits;
  }
  if (digits == 0) return std::string();
  size_t end = at;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (at < text.size() && is_digit(text[at])) {
      while (at < text.size() && is_digit(text[at])) ++at;
      end = at;
    }
  }
  return std::string(text.substr(start, end - start));
}

// Some C libraries print three exponent digits; two are kept unless the exponent needs more.
void shorten_exponent(std::string& text) {
  size_t e = text.find_first_of("eE");
  if (e == std::string::npos) return;
  size_t digits = e + 1;
  if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
  while (text.size() - digits > 2 && text[digits] == '0') text.erase(digits, 1);
}

int digit_value(uint8_t byte) {
  if (byte >= '0' && byte <= '9') return byte - '0';
  if (byte >= 'a' && byte <= 'z') return byte - 'a' + 10;
  if (byte >= 'A' && byte <= 'Z') return byte - 'A' + 10;
  return 99;
}

// Bytes that are not digits of the radix are passed over. In hexadecimal every letter counts, "G" to "Z"
// with the values 16 to 35, as the language has always read such texts.
double radix_number(std::string_view digits, int radix) {
  // Thirty-two bits, wrapping like the language's integers: &hFFFFFFFF is -1.
  uint32_t accumulator = 0;
  for (char c : digits) {
    int value = digit_value(static_cast<uint8_t>(c));
    if (value < radix || (radix == 16 && value < 36)) {
      accumulator = accumulator * static_cast<uint32_t>(radix) + static_cast<uint32_t>(value);
    }
  }
  return static_cast<int32_t>(accumulator);
}

// Digits of shift bits each, most significant first, without leading zeros.
std::string digits_of(uint32_t n, unsigned shift) {
  const uint32_t mask = (1u << shift) - 1;
  char text[33];
  char* p = text + sizeof text;
  do {
    *--p = "0123456789ABCDEF"[n & mask];
    n >>= shift;
  } while (n != 0);
  return std::string(p, text + sizeof text);
}

// Every occurrence of from replaced by to, bytes compared exactly; an empty from changes nothing.
void replace_every(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string result;
  size_t copied = 0;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, copied)) {
    result.append(text, copied, at - copied).append(to);
    copied = at + from.size();
  }
  text = result.append(text, copied);
}

}  // namespace

std::string print_number(double x, int64_t decimals, bool exponent) {
  if (decimals < 0) decimals = 0;
  if (decimals > INT32_MAX / 2) return std::string();
  const char* format = exponent ? "%.*e" : "%.*f";
  int precision = static_cast<int>(decimals);
  int n = snprintf(nullptr, 0, format, precision, x);
  if (n < 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  snprintf(text.data(), text.size(), format, precision, x);
  text.resize(static_cast<size_t>(n));
  if (exponent) shorten_exponent(text);
  return text;
}

std::string number_to_text(double x) {
  if (x == 0) x = 0;  // no "-0"
  double magnitude = x < 0 ? -x : x;
  bool fixed = (magnitude >= 0.00001 && magnitude <= 1000000) || magnitude == 0;
  std::string text = print_number(x, 7, !fixed);
  if (fixed) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  return text;
}

double number_from_text(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&') {
    switch (text[1]) {
      case 'h':
      case 'H':
        return radix_number(text.substr(2), 16);
      case 'o':
      case 'O':
        return radix_number(text.substr(2), 8);
      case 'b':
      case 'B':
        return radix_number(text.substr(2), 2);
      default:
        return 0;
    }
  }
  std::string prefix = classic_number_prefix(text);
  return prefix.empty() ? 0 : strtod(prefix.c_str(), nullptr);
}

std::string number_to_local_text(double x, const NumberSeparators& locale) {
  std::string text = number_to_text(x);
  size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, locale.decimal);
  return text;
}

double number_from_local_text(std::string_view text, const NumberSeparators& locale) {
  std::string plain(text);
  replace_every(plain, locale.thousands, "");
  replace_every(plain, locale.decimal, ".");
  return number_from_text(plain);
}

}  // namespace ql

using namespace ql;

QlString StringStr(double x) { return to_string(number_to_text(x)); }

QlString runCStr(double x) { return to_string(number_to_local_text(x, number_separators())); }

double StringVal(QlString s) { return number_from_text(view_of(s)); }

double runCDbl(QlString s) { return number_from_local_text(view_of(s), number_separators()); }

QlString RuntimeHex(uint32_t n) { return to_string(digits_of(n, 4)); }

QlString RuntimeOct(uint32_t n) { return to_string(digits_of(n, 3)); }
