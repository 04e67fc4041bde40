// Periodic tasks of the event loop: routines run every so many units of 16 milliseconds, also from inside
// compiled code's long loops (RuntimeBackgroundTask).
#pragma once

#include <stdint.h>

namespace ql {

using PeriodicRoutine = void (*)(void* context);

// Answers an id for removing it.
int32_t add_periodic_task(PeriodicRoutine routine, void* context, uint32_t period_units);
void remove_periodic_task(int32_t id);
bool periodic_tasks_exist();

// Runs every task whose period has elapsed and records the time it ran.
void run_periodic_tasks();

// Milliseconds until the next task is due (0 when one is due now), or -1 without tasks.
int32_t milliseconds_to_next_task();

}  // namespace ql
