// The millisecond tick counter on POSIX, and the clock a test may put in its place.
#include <time.h>

#include "platform/platform.h"

namespace ql::platform {

namespace {
TickSource replaced = nullptr;
}  // namespace

// Milliseconds of the monotonic clock, wrapping at 32 bits as the Windows counter does.
uint32_t tick_count() {
  if (replaced) return replaced();
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

int64_t local_time_now() {
  constexpr int64_t kUnixEpochTicks = 116444736000000000LL;  // 100-ns intervals from 1601 to 1970
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  tm parts;
  localtime_r(&now.tv_sec, &parts);
  int64_t local_seconds = static_cast<int64_t>(now.tv_sec) + parts.tm_gmtoff;
  return kUnixEpochTicks + local_seconds * 10000000 + now.tv_nsec / 100;
}
void set_tick_source(TickSource source) { replaced = source; }

}  // namespace ql::platform
