// Conversions between numbers and text shared by the string library's number functions.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>

#include "values/number_locale.h"

namespace ql {

// x printed as "%.*f" (fixed) or "%.*e" (exponent) with decimals digits after the point; the exponent has
// a sign and at least two digits on every C library. Empty when the C library refuses.
std::string print_number(double x, int64_t decimals, bool exponent);

// The text of StringStr: fixed notation without trailing zeros from 0.00001 to 1000000 (and for 0),
// exponent notation with 7 decimals elsewhere.
std::string number_to_text(double x);

// The number StringVal reads: "&h", "&o" or "&b" and the digits of that radix, or the longest prefix
// "%lf" scans (0 when there is none).
double number_from_text(std::string_view text);

// The same two in the locale's way of writing numbers: the first "." of the text becomes the decimal
// separator; reading drops every thousands separator and takes every decimal separator for ".".
std::string number_to_local_text(double x, const NumberSeparators& locale);
double number_from_local_text(std::string_view text, const NumberSeparators& locale);

}  // namespace ql
