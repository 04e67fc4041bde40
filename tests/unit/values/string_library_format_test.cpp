// StringFormat: sections, placeholders, separators, percent, signs, exponents and escapes.
#include <gtest/gtest.h>
#include <math.h>

#include "quillet/string_library.h"
#include "string_library_test_support.h"
#include "values/string_format.h"

namespace ql {
namespace {

using testing::make;
using testing::own;

std::string format(double x, const std::string& picture) { return own(StringFormat(x, make(picture).get())); }

const NumberSeparators kGerman{",", "."};
const NumberSeparators kSwiss{".", "'"};

TEST(StringLibraryFormat, PicturesWithSeparatorsAndPercent) {
  EXPECT_EQ(format(1234.5, "#,##0.00"), "1,234.50");  // US English separators
  EXPECT_EQ(format(0.256, "0.0%"), "25.6%");
  EXPECT_EQ(format(1234567.891, "#,##0.00"), "1,234,567.89");
  EXPECT_EQ(format(1234567, "#,##0"), "1,234,567");
  EXPECT_EQ(format(123, "#,##0"), "123");
  EXPECT_EQ(format(12, "#,##0"), "12");
  EXPECT_EQ(format(1234, "#,##0"), "1,234");
  EXPECT_EQ(format(5, "0,000"), "0,005");
  EXPECT_EQ(format(5, "0,###"), "05");  // a separator comes only with a digit after it
  EXPECT_EQ(format(5, "0000"), "0005");
  EXPECT_EQ(format(5, "####"), "5");
  EXPECT_EQ(format(0, "#"), "0");
  EXPECT_EQ(format(3, "#.##"), "3.");
  EXPECT_EQ(format(3.14159, "#.##"), "3.14");
  EXPECT_EQ(format(0.5, "#.00"), "0.50");
  EXPECT_EQ(format(0.5, ".00"), ".50");
  EXPECT_EQ(format(98765.4321, "0"), "98765");
  EXPECT_EQ(format(1.25, "0.0.0"), "1.25");  // later points show nothing
  EXPECT_EQ(format(5, "0%"), "500%");
  EXPECT_EQ(format(5, "0\\%"), "5%");
  EXPECT_EQ(format(5, "$ 0 USD"), "5");  // unescaped literals show nothing
  EXPECT_EQ(format(5, "\\$\\ 0\\ \\U\\S\\D"), "$ 5 USD");
  EXPECT_EQ(format(5, "0\\"), "5");
  EXPECT_EQ(format(5, ""), "");
  EXPECT_EQ(format_picture(1234.5, false, "#,##0.00", kGerman), "1.234,50");
  EXPECT_EQ(format_picture(1234567.5, false, "#,##0.0", kSwiss), "1'234'567.5");
  // Large numbers and long pictures are not cut short.
  std::string huge = format(1e300, "#,##0.00");
  EXPECT_EQ(huge.size(), 301u + 100u + 3u);
  EXPECT_EQ(huge.substr(0, 6), "1,000,");
  EXPECT_EQ(format(1.0 / 3, "0." + std::string(400, '0')).size(), 402u);
}

TEST(StringLibraryFormat, SectionsAndSigns) {
  EXPECT_EQ(format(-5, "0;(0)"), "(5)");
  EXPECT_EQ(format(5, "0;(0)"), "5");
  EXPECT_EQ(format(-5, "0"), "5");  // a sign shows only where the picture has one
  EXPECT_EQ(format(-5, "-0"), "-5");
  EXPECT_EQ(format(-5, "+0"), "-5");
  EXPECT_EQ(format(5, "+0"), "+5");
  EXPECT_EQ(format(5, "-0"), "5");
  EXPECT_EQ(format(0, "+0"), "0");
  EXPECT_EQ(format(0, "0;(0);\\z\\e\\r\\o"), "zero");
  EXPECT_EQ(format(0, "0.0;(0)"), "0.0");
  EXPECT_EQ(format(-0.0, "0.00"), "0.00");
  EXPECT_EQ(format(-0.0, "0;-0;\\n\\i\\l"), "nil");
  EXPECT_EQ(format(-0.5, "0%;(0%)"), "(50%)");
  EXPECT_EQ(format(-1234.5, "#,##0.00;(#,##0.00)"), "(1,234.50)");
  EXPECT_EQ(format(-0.001, "0.00;-0.00"), "-0.00");
}

TEST(StringLibraryFormat, ScientificAndExponents) {
  EXPECT_EQ(format(12345.678, "Scientific"), "1.234567E+04");  // cut, not rounded
  EXPECT_EQ(format(12345.678, "sCIENTIFIC"), "1.234567E+04");
  EXPECT_EQ(format(-12345.678, "Scientific"), "-1.234567E+04");
  EXPECT_EQ(format(0.00012, "Scientific"), "1.200000E-04");
  EXPECT_EQ(format(0, "Scientific"), "0.000000E+00");
  EXPECT_EQ(format(-0.0, "Scientific"), "0.000000E+00");
  EXPECT_EQ(format(1e300, "Scientific"), "1.000000E+300");
  EXPECT_EQ(format(12346, "0.00E+"), "1.23E+04");
  EXPECT_EQ(format(12346, "0.0e-"), "1.2e04");
  EXPECT_EQ(format(0.000123, "0.0e-"), "1.2e-04");
  EXPECT_EQ(format(12346, "0.0E"), "1.2E+04");
  EXPECT_EQ(format(12000, "0.##E+"), "1.2E+04");
  EXPECT_EQ(format(10000, "0.##E+"), "1.E+04");
  EXPECT_EQ(format(10000, "0.00E+"), "1.00E+04");
  // Placeholders after the exponent draw on the printed digits too.
  EXPECT_EQ(format(12346, "0.0E+00"), "1.2E+0434");
}

TEST(StringLibraryFormat, NonFiniteNumbersDoNotBreakThePicture) {
  for (double x : {NAN, INFINITY, -INFINITY}) {
    for (const char* picture : {"#,##0.00", "0.00E+", "Scientific", "0%;(0%);\\z", "#"}) {
      std::string text = format(x, picture);
      EXPECT_LT(text.size(), 32u) << picture;
    }
  }
  EXPECT_EQ(format(INFINITY, "0"), "inf");
  EXPECT_EQ(format(-INFINITY, "(0)"), "(inf)");
}

}  // namespace
}  // namespace ql
