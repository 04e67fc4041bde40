// rnd, the tick clock and the local time.
#include "platform/platform.h"
#include "quillet/variants.h"
#include "values/invariant.h"
#include "values/numbers.h"

namespace ql {

namespace {
// 0 until the first rnd; one unguarded global, as everything runs on the interface thread.
uint32_t random_seed = 0;
}  // namespace

double next_random(uint32_t& seed, uint32_t ticks) {
  // A seed outside 1 to 2^31 - 2 would stick or overflow the decomposition; it is started afresh.
  if (seed == 0 || seed >= 0x7FFFFFFFu) seed = seed_from_ticks(ticks);
  seed = next_seed(seed);
  QL_INVARIANT(seed >= 1 && seed <= 0x7FFFFFFEu, "the generator's seed stays within 1 to 2^31 - 2");
  return random_fraction(seed);
}

}  // namespace ql

double rnd(void) { return ql::next_random(ql::random_seed, ql::platform::tick_count()); }

int32_t RuntimeTicks(void) { return static_cast<int32_t>(ql::platform::tick_count() >> 4); }

double RuntimeMicroseconds(void) { return ql::platform::tick_count() * 1000.0; }

double RuntimeTotalSeconds(void) {
  constexpr int64_t kTicksFrom1601To1904 = 9561628800LL * 10000000;
  return static_cast<double>(ql::platform::local_time_now() - kTicksFrom1601To1904) / 1e7;
}
