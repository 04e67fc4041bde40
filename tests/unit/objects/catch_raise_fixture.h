// A method shaped like compiled application code that catches the exceptions of the runtime routine it
// calls, for tests of entry points that raise.
#pragma once

#include "quillet/types.h"

#if defined(__x86_64__) || defined(__i386__)
#define QL_HAS_CATCH_RAISE_FIXTURE 1

// Brackets for the fixtures' top-level assembly: the compiler assumes that such a block leaves the
// assembler in the section it found it in.
#if defined(_WIN32)
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

// The frame both fixtures build: an exception slot at -8 (-4 on i386), then the callee-saved registers, which
// they restore themselves because a handler is entered with whatever the runtime left in them.
#if defined(__i386__)
#define FIXTURE_FRAME "24"  // keeps the stack 16-byte aligned at the call
#define FIXTURE_SAVE "movl %ebx, -8(%ebp)\n movl %esi, -12(%ebp)\n movl %edi, -16(%ebp)\n"
#define FIXTURE_RESTORE "movl -8(%ebp), %ebx\n movl -12(%ebp), %esi\n movl -16(%ebp), %edi\n"
#elif defined(_WIN64)
#define FIXTURE_FRAME "256"
#define FIXTURE_SAVE                                                                            \
  "movq %rbx, -16(%rbp)\n movq %rsi, -24(%rbp)\n movq %rdi, -32(%rbp)\n movq %r12, -40(%rbp)\n" \
  "movq %r13, -48(%rbp)\n movq %r14, -56(%rbp)\n movq %r15, -64(%rbp)\n"                        \
  "movaps %xmm6, -80(%rbp)\n movaps %xmm7, -96(%rbp)\n movaps %xmm8, -112(%rbp)\n"              \
  "movaps %xmm9, -128(%rbp)\n movaps %xmm10, -144(%rbp)\n movaps %xmm11, -160(%rbp)\n"          \
  "movaps %xmm12, -176(%rbp)\n movaps %xmm13, -192(%rbp)\n movaps %xmm14, -208(%rbp)\n"         \
  "movaps %xmm15, -224(%rbp)\n"
#define FIXTURE_RESTORE                                                                         \
  "movq -16(%rbp), %rbx\n movq -24(%rbp), %rsi\n movq -32(%rbp), %rdi\n movq -40(%rbp), %r12\n" \
  "movq -48(%rbp), %r13\n movq -56(%rbp), %r14\n movq -64(%rbp), %r15\n"                        \
  "movaps -80(%rbp), %xmm6\n movaps -96(%rbp), %xmm7\n movaps -112(%rbp), %xmm8\n"              \
  "movaps -128(%rbp), %xmm9\n movaps -144(%rbp), %xmm10\n movaps -160(%rbp), %xmm11\n"          \
  "movaps -176(%rbp), %xmm12\n movaps -192(%rbp), %xmm13\n movaps -208(%rbp), %xmm14\n"         \
  "movaps -224(%rbp), %xmm15\n"
#else
#define FIXTURE_FRAME "48"
#define FIXTURE_SAVE                                                                            \
  "movq %rbx, -16(%rbp)\n movq %r12, -24(%rbp)\n movq %r13, -32(%rbp)\n movq %r14, -40(%rbp)\n" \
  "movq %r15, -48(%rbp)\n"
#define FIXTURE_RESTORE                                                                         \
  "movq -16(%rbp), %rbx\n movq -24(%rbp), %r12\n movq -32(%rbp), %r13\n movq -40(%rbp), %r14\n" \
  "movq -48(%rbp), %r15\n"
#endif

#endif
