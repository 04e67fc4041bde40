// Numeric conversion, colours, the mathematical functions and the random generator.
#include <gtest/gtest.h>
#include <math.h>

#include <ctime>
#include <set>

#include "platform/platform.h"
#include "quillet/variants.h"
#include "values/numbers.h"

namespace ql {
namespace {

TEST(Numbers, FPToIntTruncatesAndSaturatesToTheSmallestInteger) {
  EXPECT_EQ(FPToInt(2.9), 2);
  EXPECT_EQ(FPToInt(-2.9), -2);
  EXPECT_EQ(FPToInt(-0.9), 0);
  EXPECT_EQ(FPToInt(2147483647.0), 2147483647);
  EXPECT_EQ(FPToInt(2147483647.9), 2147483647);
  EXPECT_EQ(FPToInt(-2147483648.0), INT32_MIN);
  EXPECT_EQ(FPToInt(-2147483648.9), INT32_MIN);
  EXPECT_EQ(FPToInt(2147483648.0), INT32_MIN);
  EXPECT_EQ(FPToInt(-2147483649.0), INT32_MIN);
  EXPECT_EQ(FPToInt(1e300), INT32_MIN);
  EXPECT_EQ(FPToInt(-INFINITY), INT32_MIN);
  EXPECT_EQ(FPToInt(NAN), INT32_MIN);
  EXPECT_EQ(IntToFP(INT32_MIN), -2147483648.0);
  EXPECT_EQ(IntToFP(123), 123.0);
}

TEST(Numbers, RGBClampsEachComponent) {
  EXPECT_EQ(RuntimeRGB(300, -5, 128), 0xFF0080);
  EXPECT_EQ(RuntimeRGB(0x12, 0x34, 0x56), 0x123456);
  EXPECT_EQ(RuntimeRGB(INT32_MIN, INT32_MAX, 256), 0x00FFFF);
  EXPECT_EQ(RuntimeRGB(255, 255, 255), 0xFFFFFF);
  EXPECT_EQ(BitwiseAnd(0x0F0F, 0x00FF), 0x000F);
  EXPECT_EQ(BitwiseOr(INT32_MIN, 1), INT32_MIN + 1);
  EXPECT_EQ(BitwiseXor(-1, 0x0F), -16);
}

TEST(Numbers, MathematicalFunctions) {
  EXPECT_EQ(RuntimeRound(2.5), 3.0);
  EXPECT_EQ(RuntimeRound(-2.5), -2.0);
  EXPECT_EQ(RuntimeRound(-0.5), 0.0);
  EXPECT_EQ(RuntimeRound(-2.6), -3.0);
  EXPECT_EQ(RuntimeRound(0.49999999999999994), 0.0);  // adding 0.5 first would round up to 1
  EXPECT_EQ(RuntimeRound(4503599627370497.0), 4503599627370497.0);
  EXPECT_EQ(RuntimeRound(-4503599627370497.0), -4503599627370497.0);
  EXPECT_EQ(RuntimeRound(-0.49999999999999994), 0.0);
  EXPECT_TRUE(isnan(RuntimeRound(NAN)));
  EXPECT_EQ(RuntimeRound(INFINITY), INFINITY);

  EXPECT_TRUE(isnan(RuntimeACos(1.0000001)));
  EXPECT_TRUE(isnan(RuntimeACos(-1.5)));
  constexpr double kPi = 3.141592653589793;
  EXPECT_DOUBLE_EQ(RuntimeACos(-1.0), kPi);
  EXPECT_EQ(RuntimeACos(1.0), 0.0);
  EXPECT_DOUBLE_EQ(RuntimeACos(0.5), kPi / 3);
  EXPECT_DOUBLE_EQ(RuntimeACos(0.0), kPi / 2);

  EXPECT_EQ(RuntimeAbs(-3.5), 3.5);
  EXPECT_EQ(RuntimeMax(1.0, 2.0), 2.0);
  EXPECT_EQ(RuntimeMin(1.0, 2.0), 1.0);
  EXPECT_DOUBLE_EQ(RuntimeATan2(1.0, 0.0), kPi / 2);
  EXPECT_DOUBLE_EQ(RuntimeATan2(-1.0, -1.0), -3 * kPi / 4);
  EXPECT_EQ(RuntimePow(2.0, 10.0), 1024.0);
  EXPECT_DOUBLE_EQ(RuntimeLog(7.38905609893065), 2.0);  // the natural logarithm of e squared
}

TEST(Random, SchragesStepEqualsTheModularProduct) {
  for (uint64_t seed : {1ull, 2ull, 16807ull, 127773ull, 127774ull, 2147483646ull, 1043618065ull}) {
    EXPECT_EQ(next_seed(static_cast<uint32_t>(seed)), (seed * 16807u) % 2147483647u) << seed;
  }
  // The minimal standard generator's check value: 10000 steps from 1.
  uint32_t seed = 1;
  for (int i = 0; i < 10000; ++i) seed = next_seed(seed);
  EXPECT_EQ(seed, 1043618065u);
}

TEST(Random, SeedingAvoidsTheValuesTheGeneratorCannotLeave) {
  EXPECT_EQ(seed_from_ticks(0), 1u);
  EXPECT_EQ(seed_from_ticks(0x80000000u), 1u);
  EXPECT_EQ(seed_from_ticks(0x7FFFFFFFu), 1u);  // would map to itself forever
  EXPECT_EQ(seed_from_ticks(0xFFFFFFFFu), 1u);
  EXPECT_EQ(seed_from_ticks(12345u), 12345u);
  EXPECT_EQ(seed_from_ticks(0x80000005u), 5u);

  uint32_t seed = 0;
  double first = next_random(seed, 12345u);
  EXPECT_EQ(seed, next_seed(12345u));
  EXPECT_EQ(first, random_fraction(seed));
  uint32_t kept = seed;
  next_random(seed, 999u);  // the clock only matters for the first call
  EXPECT_EQ(seed, next_seed(kept));

  // Seeded where the plain rule would stick: the values still change.
  seed = 0;
  std::set<double> values;
  for (int i = 0; i < 10; ++i) values.insert(next_random(seed, 0x7FFFFFFFu));
  EXPECT_EQ(values.size(), 10u);
}

TEST(Random, RndIsAMultipleOfTwoToTheMinusTwentyBelowOne) {
  std::set<double> seen;
  for (int i = 0; i < 100000; ++i) {
    double r = rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    double scaled = r * 1048576.0;
    ASSERT_EQ(scaled, floor(scaled)) << r;
    seen.insert(r);
  }
  EXPECT_GT(seen.size(), 90000u);
  EXPECT_EQ(random_fraction(0xFFFFFu), 1048575.0 / 1048576.0);
  EXPECT_EQ(random_fraction(0x7FF00000u), 0.0);
}

uint32_t test_clock_ms = 0;
uint32_t test_clock() { return test_clock_ms; }

TEST(Clock, TicksAreSixteenMillisecondsOfTheClockAndMicrosecondsCountItsMilliseconds) {
  platform::set_tick_source(test_clock);
  for (uint32_t ms : {0u, 15u, 16u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    test_clock_ms = ms;
    EXPECT_EQ(RuntimeTicks(), static_cast<int32_t>(ms / 16)) << ms;
    EXPECT_EQ(RuntimeMicroseconds(), ms * 1000.0) << ms;
  }
  test_clock_ms = 0;
  platform::set_tick_source(nullptr);
  EXPECT_GT(RuntimeTicks(), 0) << "the system's counter is back";
}

// Days from 1904-01-01 to the given date of the Gregorian calendar.
int64_t days_since_1904(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  int64_t era = year / 400;
  int64_t of_era = year - era * 400;
  int64_t of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t of_four_centuries = of_era * 365 + of_era / 4 - of_era / 100 + of_year;
  return era * 146097 + of_four_centuries - 719468 + 24107;  // 1970-01-01 is day 24107
}

TEST(Clock, TotalSecondsCountTheLocalTimeFrom1904) {
  std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);
  double expected = days_since_1904(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400.0 +
                    local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  EXPECT_NEAR(RuntimeTotalSeconds(), expected, 5.0);
  EXPECT_EQ(days_since_1904(1904, 1, 1), 0);
  EXPECT_EQ(days_since_1904(1904, 3, 1), 60);  // 1904 is a leap year
}

}  // namespace
}  // namespace ql
