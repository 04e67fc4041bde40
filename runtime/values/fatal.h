// The runtime's fatal paths and internal-consistency reporting.
#pragma once

namespace ql {

// The (code, subcode) pairs internal checks report.
struct AssertionKind {
  int code;
  int subcode;
};
// A rule of use was broken: a reference count already 0, an index outside its range, a call-site opcode
// nothing knows, nil where the runtime needs an object.
inline constexpr AssertionKind kConsistencyCheck{131, 4};
// An interface method that no class of the implementing class's chain has.
inline constexpr AssertionKind kInterfaceMethodMissing{131, 2};
// A class the image references by name that neither the runtime nor a plug-in defines.
inline constexpr AssertionKind kReferencedClassMissing{132, 2};
// A project item of a kind the runtime does not know.
inline constexpr AssertionKind kUnknownItemKind{132, 3};

// Internal checks report (kind, source name, line) here; the delivered build carries on.
void report_assertion(AssertionKind kind, const char* source, int line);
void debug_log(const char* text);

// A must-succeed allocation failed: put back the drawing state, hand the message to the fatal-message hook
// and end with code 0. Nothing is saved and the exit list does not run.
[[noreturn]] void fatal_out_of_memory();

// The graphics layer's routine that puts back the clip region and font drawing selected and hands back the
// device context; null while nothing draws.
void set_fatal_drawing_release(void (*release)());

}  // namespace ql
