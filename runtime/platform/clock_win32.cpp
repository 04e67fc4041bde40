// The millisecond tick counter on Win32, and the clock a test may put in its place.
#include <windows.h>

#include "platform/platform.h"

namespace ql::platform {

namespace {
TickSource replaced = nullptr;
}  // namespace

uint32_t tick_count() { return replaced ? replaced() : GetTickCount(); }

void set_tick_source(TickSource source) { replaced = source; }

}  // namespace ql::platform
