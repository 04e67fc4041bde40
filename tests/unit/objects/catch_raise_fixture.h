// A method shaped like compiled application code that catches the exceptions of the runtime routine it
// calls, for tests of entry points that raise.
#pragma once

#include "quillet/types.h"

#if defined(__x86_64__)
#define QL_HAS_CATCH_RAISE_FIXTURE 1

// QlObject* catch_raise_fixture(void (*raiser)()): calls raiser behind a call-site record; its handler table
// catches class index 0 and answers the caught exception, handing over the reference the raise took. It
// answers nil when raiser returns. Every callee-saved register is restored, since the handler is entered
// with whatever the runtime left in them.
extern "C" QlObject* catch_raise_fixture(void (*raiser)());

#endif
