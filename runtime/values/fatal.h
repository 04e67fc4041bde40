// The runtime's fatal paths and internal-consistency reporting.
#pragma once

namespace ql {

// Internal checks report (code, subcode, source name, line) here; the delivered build carries on.
void report_assertion(int code, int subcode, const char* source, int line);
void debug_log(const char* text);

// A must-succeed allocation failed: put back the drawing state, hand the message to the fatal-message hook
// and end with code 0. Nothing is saved and the exit list does not run.
[[noreturn]] void fatal_out_of_memory();

// The graphics layer's routine that puts back the clip region and font drawing selected and hands back the
// device context; null while nothing draws.
void set_fatal_drawing_release(void (*release)());

}  // namespace ql
