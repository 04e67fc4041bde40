// Response times for the benchmarks: how long a click or a menu command takes inside the runtime.
#pragma once

#include <windows.h>

namespace ql {

// With QL_RESPONSE_TIMES naming a file, a click (a mouse button pressed) or a menu command is timed from
// the moment the event loop takes its message until no paint it caused is left, and a line "click 1.234" or
// "command 12.345" (milliseconds) is appended to the file. Without it both cost one test.
void note_message_taken(const MSG& msg);
void note_message_dispatched();

}  // namespace ql
