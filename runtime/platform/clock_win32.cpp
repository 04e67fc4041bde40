// The millisecond tick counter on Win32, and the clock a test may put in its place.
#include <windows.h>

#include "platform/platform.h"

namespace ql::platform {

namespace {
TickSource replaced = nullptr;
}  // namespace

uint32_t tick_count() { return replaced ? replaced() : GetTickCount(); }

void set_tick_source(TickSource source) { replaced = source; }

int64_t local_time_now() {
  FILETIME universal, local;
  GetSystemTimeAsFileTime(&universal);
  if (!FileTimeToLocalFileTime(&universal, &local)) local = universal;
  return static_cast<int64_t>((static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime);
}

}  // namespace ql::platform
