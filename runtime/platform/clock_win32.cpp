// The millisecond tick counter on Win32.
#include <windows.h>

#include "platform/platform.h"

namespace ql::platform {

uint32_t tick_count() { return GetTickCount(); }

int64_t local_time_now() {
  FILETIME universal, local;
  GetSystemTimeAsFileTime(&universal);
  if (!FileTimeToLocalFileTime(&universal, &local)) local = universal;
  return static_cast<int64_t>((static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime);
}

}  // namespace ql::platform
