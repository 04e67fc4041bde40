// Numeric conversion, colours and the pseudo-random generator, as plain functions the entry points wrap.
#pragma once

#include <stdint.h>

namespace ql {

// Toward zero. Values whose truncation lies outside the 32-bit range, and NaN, give INT32_MIN.
constexpr int32_t fp_to_int(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

constexpr int32_t clamp_component(int32_t c) { return c < 0 ? 0 : (c > 255 ? 255 : c); }

// 0x00RRGGBB.
constexpr int32_t rgb(int32_t red, int32_t green, int32_t blue) {
  return clamp_component(red) * 65536 + clamp_component(green) * 256 + clamp_component(blue);
}

// Halves go up. Built from the floor and the exact distance to it: floor(x + 0.5) misrounds where adding
// 0.5 is itself rounded (0.49999999999999994 would give 1, and odd integers beyond 2^52 the next even one).
double round_half_up(double x);

// The inverse cosine as 2 atan(sqrt((1 - x) / (1 + x))); NaN outside -1 to 1.
double arc_cosine(double x);

// The minimal standard generator: seed = 16807 seed mod (2^31 - 1), by Schrage's decomposition so that
// nothing overflows 32 bits. seed must lie in 1 to 2^31 - 2; so does the result.
constexpr uint32_t next_seed(uint32_t seed) {
  constexpr int32_t kModulus = 2147483647, kQuotient = 127773, kRemainder = 2836;
  int32_t s = static_cast<int32_t>(seed);
  int32_t t = 16807 * (s % kQuotient) - kRemainder * (s / kQuotient);
  if (t <= 0) t += kModulus;
  return static_cast<uint32_t>(t);
}

// The first seed from the millisecond counter: its low 31 bits, with the two values the generator cannot
// leave (0, and 2^31 - 1, which maps to itself forever) replaced by 1.
constexpr uint32_t seed_from_ticks(uint32_t ticks) {
  uint32_t seed = ticks & 0x7FFFFFFFu;
  return seed == 0 || seed == 0x7FFFFFFFu ? 1u : seed;
}

// The low 20 bits of the seed as a fraction: a multiple of 2^-20 in [0, 1).
constexpr double random_fraction(uint32_t seed) { return static_cast<double>(seed & 0xFFFFFu) / 1048576.0; }

// Advances the process-wide seed (seeding it from ticks first when it is still 0) and answers the next
// fraction.
double next_random(uint32_t& seed, uint32_t ticks);

}  // namespace ql
