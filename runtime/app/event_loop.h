// One pass of the event loop.
#pragma once

namespace ql {

// Drops, deferred geometry, one message (waiting only when nothing is due), the pointer, idle calls,
// timers, the end when no window is left, periodic tasks.
void run_event_loop_pass();

}  // namespace ql
