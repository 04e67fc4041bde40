// StringStr, runCStr, StringVal, runCDbl, RuntimeHex and RuntimeOct.
#include <gtest/gtest.h>
#include <math.h>

#include "quillet/string_library.h"
#include "string_library_test_support.h"
#include "values/number_text.h"

namespace ql {
namespace {

using testing::make;
using testing::own;

std::string str(double x) { return own(StringStr(x)); }
double val(const std::string& s) { return StringVal(make(s).get()); }

const NumberSeparators kGerman{",", "."};

TEST(StringLibraryNumbers, StrSwitchesToExponentsOutsideItsRange) {
  EXPECT_EQ(str(0), "0");
  EXPECT_EQ(str(-0.0), "0");
  EXPECT_EQ(str(0.5), "0.5");
  EXPECT_EQ(str(100), "100");
  EXPECT_EQ(str(-2.25), "-2.25");
  EXPECT_EQ(str(1e-5), "0.00001");
  EXPECT_EQ(str(-1e-5), "-0.00001");
  EXPECT_EQ(str(1000000), "1000000");
  EXPECT_EQ(str(-1000000), "-1000000");
  EXPECT_EQ(str(1000001), "1.0000010e+06");
  EXPECT_EQ(str(1000000.5), "1.0000005e+06");
  EXPECT_EQ(str(0.000001), "1.0000000e-06");
  EXPECT_EQ(str(0.0000099), "9.9000000e-06");
  EXPECT_EQ(str(1.0 / 3), "0.3333333");
  EXPECT_EQ(str(0.1 + 0.2), "0.3");
  EXPECT_EQ(str(123456.789), "123456.789");
  EXPECT_EQ(str(0.00001234567), "0.0000123");  // seven decimals, then the zeros go
  EXPECT_EQ(str(1e300), "1.0000000e+300");
  EXPECT_EQ(str(-2.5e-300), "-2.5000000e-300");
}

TEST(StringLibraryNumbers, CStrWritesTheLocaleDecimalSeparator) {
  EXPECT_EQ(own(runCStr(2.5)), "2.5");  // US English: "."
  EXPECT_EQ(own(runCStr(-40)), "-40");
  EXPECT_EQ(number_to_local_text(1234.5, kGerman), "1234,5");
  EXPECT_EQ(number_to_local_text(1e7, kGerman), "1,0000000e+07");
  EXPECT_EQ(number_to_local_text(12, kGerman), "12");
}

TEST(StringLibraryNumbers, ValReadsRadixPrefixesAndNumericPrefixes) {
  EXPECT_EQ(val("&hFF"), 255);
  EXPECT_EQ(val("&Hff"), 255);
  EXPECT_EQ(val("&b101"), 5);
  EXPECT_EQ(val("&B1021"), 5);  // bytes outside the radix are passed over, not a stop
  EXPECT_EQ(val("&o17"), 15);
  EXPECT_EQ(val("&O18"), 1);
  EXPECT_EQ(val("&h1 0"), 16);
  EXPECT_EQ(val("&x1"), 0);
  EXPECT_EQ(val("&h"), 0);
  EXPECT_EQ(val("&"), 0);
  EXPECT_EQ(val("&hG1"), 257);  // every letter is a hexadecimal digit, G being 16
  EXPECT_EQ(val("&hZZ"), 595);
  EXPECT_EQ(val("&hzz"), 595);
  EXPECT_EQ(val("&h7FFFFFFF"), 2147483647);
  EXPECT_EQ(val("&hFFFFFFFF"), -1);  // thirty-two bits, wrapping
  EXPECT_EQ(val("&h100000001"), 1);
  EXPECT_EQ(val("12abc"), 12);
  EXPECT_EQ(val(""), 0);
  EXPECT_EQ(val("abc"), 0);
  EXPECT_EQ(val("  -3.5e2xyz"), -350);
  EXPECT_EQ(val("\t.25"), 0.25);
  EXPECT_EQ(val("1,5"), 1);
  EXPECT_EQ(val("1e400"), HUGE_VAL);
  EXPECT_EQ(StringVal(nullptr), 0);
}

TEST(StringLibraryNumbers, ValReadsOnlyWhatTheClassicScanReads) {
  // Newer C libraries read hexadecimal numbers, infinities and NaN; the classic reading stops before them.
  EXPECT_EQ(val("0x1A"), 0);
  EXPECT_EQ(val("0X1p3"), 0);
  EXPECT_EQ(val("-0x10"), 0);
  EXPECT_EQ(val("inf"), 0);
  EXPECT_EQ(val("-Infinity"), 0);
  EXPECT_EQ(val("nan"), 0);
  EXPECT_EQ(val("NAN(1)"), 0);
  // An exponent counts only with its digits; a sign or a point alone is no number.
  EXPECT_EQ(val("1e"), 1);
  EXPECT_EQ(val("2E+"), 2);
  EXPECT_EQ(val("2.5e-1x"), 0.25);
  EXPECT_EQ(val("+7"), 7);
  EXPECT_EQ(val("5."), 5);
  EXPECT_EQ(val("-"), 0);
  EXPECT_EQ(val("."), 0);
  EXPECT_EQ(val("+.e5"), 0);
  EXPECT_EQ(val("1.2.3"), 1.2);
  EXPECT_EQ(val("\r\n\v\f 12"), 12);
  EXPECT_EQ(val("1e-400"), 0);
}

TEST(StringLibraryNumbers, CDblDropsThousandsAndReadsTheDecimalSeparator) {
  EXPECT_EQ(runCDbl(make("1,234.5").get()), 1234.5);  // US English
  EXPECT_EQ(runCDbl(make("1,000,000").get()), 1000000);
  EXPECT_EQ(number_from_local_text("1.234,5", kGerman), 1234.5);
  EXPECT_EQ(number_from_local_text("-0,75", kGerman), -0.75);
  EXPECT_EQ(number_from_local_text("1.5", kGerman), 15);
  // A locale without grouping: nothing is dropped, and nothing loops.
  EXPECT_EQ(number_from_local_text("1 234.5", NumberSeparators{".", ""}), 1);
  EXPECT_EQ(number_from_local_text("2.5", NumberSeparators{".", ""}), 2.5);
}

TEST(StringLibraryNumbers, HexAndOctHaveNoLeadingZeros) {
  EXPECT_EQ(own(RuntimeHex(0)), "0");
  EXPECT_EQ(own(RuntimeHex(255)), "FF");
  EXPECT_EQ(own(RuntimeHex(0x1000)), "1000");
  EXPECT_EQ(own(RuntimeHex(0xFFFFFFFF)), "FFFFFFFF");
  EXPECT_EQ(own(RuntimeHex(0xDEADBEEF)), "DEADBEEF");
  EXPECT_EQ(own(RuntimeOct(0)), "0");
  EXPECT_EQ(own(RuntimeOct(8)), "10");
  EXPECT_EQ(own(RuntimeOct(511)), "777");
  EXPECT_EQ(own(RuntimeOct(0xFFFFFFFF)), "37777777777");
  EXPECT_EQ(own(RuntimeOct(0x80000000)), "20000000000");
}

}  // namespace
}  // namespace ql
