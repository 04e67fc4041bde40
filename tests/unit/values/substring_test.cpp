// Left, Right and Mid: clamped counts and positions, and whole results returned as they are.
#include <gtest/gtest.h>

#include "string_test_support.h"
#include "values/string.h"

namespace ql {
namespace {

using testing::make;
using testing::text;

std::string left(QlString s, int32_t n) { return text(StringRef(string_left(s, n)).get()); }
std::string right(QlString s, int32_t n) { return text(StringRef(string_right(s, n)).get()); }
std::string mid2(QlString s, int32_t k) { return text(StringRef(string_mid2(s, k)).get()); }
std::string mid3(QlString s, int32_t k, int32_t n) { return text(StringRef(string_mid3(s, k, n)).get()); }

TEST(Substring, LeftAndRightClampTheirCounts) {
  StringRef s = make("abcdef");
  EXPECT_EQ(left(s.get(), 2), "ab");
  EXPECT_EQ(left(s.get(), 0), "");
  EXPECT_EQ(left(s.get(), INT32_MIN), "");
  EXPECT_EQ(left(s.get(), 6), "abcdef");
  EXPECT_EQ(right(s.get(), 2), "ef");
  EXPECT_EQ(right(s.get(), -1), "");
  EXPECT_EQ(right(s.get(), INT32_MAX), "abcdef");
  EXPECT_EQ(left(nullptr, 3), "");
  EXPECT_EQ(right(nullptr, 3), "");
}

TEST(Substring, MidClampsStartAndCount) {
  StringRef s = make("abcdef");
  EXPECT_EQ(mid2(s.get(), 3), "cdef");
  EXPECT_EQ(mid2(s.get(), 6), "f");
  EXPECT_EQ(mid2(s.get(), 7), "");
  EXPECT_EQ(mid2(s.get(), -3), "abcdef");
  EXPECT_EQ(mid2(s.get(), INT32_MAX), "");
  EXPECT_EQ(mid3(s.get(), 0, 3), "ab");
  EXPECT_EQ(mid3(s.get(), 5, 10), "ef");
  EXPECT_EQ(mid3(s.get(), 2, 3), "bcd");
  EXPECT_EQ(mid3(s.get(), 7, 1), "");
  EXPECT_EQ(mid3(s.get(), 2, 0), "");
  EXPECT_EQ(mid3(s.get(), -2, 4), "a");
  EXPECT_EQ(mid3(s.get(), -2, 3), "");
  // Extremes clamp instead of overflowing.
  EXPECT_EQ(mid3(s.get(), INT32_MIN, INT32_MAX), "");
  EXPECT_EQ(mid3(s.get(), 2, INT32_MAX), "bcdef");
  EXPECT_EQ(mid3(s.get(), INT32_MAX, INT32_MAX), "");
  EXPECT_EQ(mid3(s.get(), INT32_MIN + 1, INT32_MIN), "");
  EXPECT_EQ(mid3(nullptr, 1, 1), "");
  EXPECT_EQ(mid2(nullptr, 2), "");
}

TEST(Substring, WholeResultsAreTheOperandItself) {
  StringRef s = make("abcdef");
  QlString results[] = {string_left(s.get(), 6),    string_left(s.get(), 100),
                        string_right(s.get(), 6),   string_mid2(s.get(), 1),
                        string_mid2(s.get(), -5),   string_mid3(s.get(), 1, 6),
                        string_mid3(s.get(), 0, 7), string_mid3(s.get(), 1, INT32_MAX)};
  for (QlString result : results) EXPECT_EQ(result, s.get());
  EXPECT_EQ(s.get()->count, 1 + static_cast<int32_t>(std::size(results)));
  for (QlString result : results) string_release(result);

  StringRef part(string_mid3(s.get(), 1, 5));
  EXPECT_NE(part.get(), s.get());
  EXPECT_EQ(part.get()->count, 1);
}

}  // namespace
}  // namespace ql
