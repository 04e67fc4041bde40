// A method shaped like compiled application code that catches the exceptions of the runtime routine it
// calls, for tests of entry points that raise.
#pragma once

#include "quillet/types.h"

#if defined(__x86_64__)
#define QL_HAS_CATCH_RAISE_FIXTURE 1

// Brackets for the fixtures' top-level assembly: the compiler assumes that such a block leaves the
// assembler in the section it found it in.
#if defined(_WIN64)
#define QL_TEXT_BEGIN ".text\n"
#define QL_TEXT_END ""
#else
#define QL_TEXT_BEGIN ".pushsection .text\n"
#define QL_TEXT_END ".popsection\n"
#endif

// QlObject* catch_raise_fixture(void (*raiser)()): calls raiser behind a call-site record; its handler table
// catches class index 0 and answers the caught exception, handing over the reference the raise took. It
// answers nil when raiser returns. Every callee-saved register is restored, since the handler is entered
// with whatever the runtime left in them.
extern "C" QlObject* catch_raise_fixture(void (*raiser)());

#endif
