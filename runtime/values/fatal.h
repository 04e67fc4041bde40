// The runtime's fatal paths and internal-consistency reporting.
#pragma once

namespace ql {

// Internal checks report (code, subcode, source name, line) here; the delivered build carries on.
void report_assertion(int code, int subcode, const char* source, int line);
void debug_log(const char* text);

// A must-succeed allocation failed: hand the message to the fatal-message hook and end with code 0.
[[noreturn]] void fatal_out_of_memory();

}  // namespace ql
