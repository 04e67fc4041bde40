// The catching method of catch_raise_fixture.h, in assembly: a frame with an exception slot, a call-site
// record behind the call and a handler table at the end, as compiled methods have them.
#include "catch_raise_fixture.h"

#if defined(__x86_64__)
#if defined(_WIN64)
#define FIXTURE_HEADER ".def catch_raise_fixture; .scl 2; .type 32; .endef\n"
#define FIXTURE_FOOTER ""
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
#define FIXTURE_CALL "call *%rcx\n"
#else
#define FIXTURE_HEADER ".type catch_raise_fixture, @function\n"
#define FIXTURE_FOOTER ".size catch_raise_fixture, . - catch_raise_fixture\n"
#define FIXTURE_FRAME "48"
#define FIXTURE_SAVE                                                                            \
  "movq %rbx, -16(%rbp)\n movq %r12, -24(%rbp)\n movq %r13, -32(%rbp)\n movq %r14, -40(%rbp)\n" \
  "movq %r15, -48(%rbp)\n"
#define FIXTURE_RESTORE                                                                         \
  "movq -16(%rbp), %rbx\n movq -24(%rbp), %r12\n movq -32(%rbp), %r13\n movq -40(%rbp), %r14\n" \
  "movq -48(%rbp), %r15\n"
#define FIXTURE_CALL "call *%rdi\n"
#endif

asm(QL_TEXT_BEGIN
    ".globl catch_raise_fixture\n" FIXTURE_HEADER
    ".p2align 4\n"
    "catch_raise_fixture:\n"
    "pushq %rbp\n"
    "movq %rsp, %rbp\n"
    "subq $" FIXTURE_FRAME
    ", %rsp\n"
    "movq $0, -8(%rbp)\n" FIXTURE_SAVE FIXTURE_CALL
    ".byte 0xEB, 2, 0x2F, 0\n"  // call-site record without entries
    "xorl %eax, %eax\n"
    "jmp 9f\n"
    ".Lcatch_raise_handler:\n"
    "leaq -" FIXTURE_FRAME
    "(%rbp), %rsp\n"
    "movq -8(%rbp), %rax\n"
    "movq $0, -8(%rbp)\n"
    "9:\n" FIXTURE_RESTORE
    "leave\n"
    "ret\n"
    ".byte 0x2F\n"
    ".byte 4, 0, 0\n"  // catch class index 0
    "3: .byte ((.Lcatch_raise_handler - 3b) >> 24) & 0xFF, ((.Lcatch_raise_handler - 3b) >> 16) & 0xFF\n"
    ".byte ((.Lcatch_raise_handler - 3b) >> 8) & 0xFF, (.Lcatch_raise_handler - 3b) & 0xFF\n"
    ".byte 0\n" FIXTURE_FOOTER QL_TEXT_END);

#endif
