// Timer objects: their Action fires from the event loop when their period has elapsed.
#pragma once

#include <stdint.h>

namespace ql {

void define_timer_class();
// Fires every enabled timer whose period has elapsed; a single-shot timer turns itself off.
void run_timers();
bool timers_running();
// Milliseconds until the next timer is due, or -1 without one.
int32_t milliseconds_to_next_timer();

}  // namespace ql
