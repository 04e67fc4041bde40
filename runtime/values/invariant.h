// QL_INVARIANT(condition, text): a check of what a comment promises about the runtime's own state. Builds
// that define QL_CHECK_INVARIANTS (the host's tests and fuzzers) print the text with the place and abort
// when it fails; the Windows builds leave the check out.
#pragma once

#ifdef QL_CHECK_INVARIANTS

#include <stdio.h>
#include <stdlib.h>

namespace ql {
[[noreturn]] inline void invariant_broken(const char* condition, const char* text, const char* file,
                                          int line) {
  fprintf(stderr, "%s:%d: invariant broken: %s (%s)\n", file, line, text, condition);
  abort();
}
}  // namespace ql

#define QL_INVARIANT(condition, text) \
  ((condition) ? static_cast<void>(0) : ::ql::invariant_broken(#condition, text, __FILE__, __LINE__))
#define QL_IF_CHECKING_INVARIANTS(...) __VA_ARGS__

#else

#define QL_INVARIANT(condition, text) static_cast<void>(0)
#define QL_IF_CHECKING_INVARIANTS(...)

#endif
