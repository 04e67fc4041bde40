// The millisecond tick counter on Win32.
#include <windows.h>

#include "platform/platform.h"

namespace ql::platform {

uint32_t tick_count() { return GetTickCount(); }

}  // namespace ql::platform
