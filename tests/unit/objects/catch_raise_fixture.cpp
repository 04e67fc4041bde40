// The catching method of catch_raise_fixture.h, in assembly: a frame with an exception slot, a call-site
// record behind the call and a handler table at the end, as compiled methods have them.
#include "catch_raise_fixture.h"

#if defined(__x86_64__)
#if defined(_WIN64)
#define FIXTURE_HEADER ".def catch_raise_fixture; .scl 2; .type 32; .endef\n"
#define FIXTURE_FOOTER ""
#define FIXTURE_CALL "call *%rcx\n"
#else
#define FIXTURE_HEADER ".type catch_raise_fixture, @function\n"
#define FIXTURE_FOOTER ".size catch_raise_fixture, . - catch_raise_fixture\n"
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

#elif defined(__i386__)

// i386 cdecl: the argument is on the stack and C names carry a leading underscore.
asm(QL_TEXT_BEGIN
    ".globl _catch_raise_fixture\n"
    ".def _catch_raise_fixture; .scl 2; .type 32; .endef\n"
    ".p2align 4\n"
    "_catch_raise_fixture:\n"
    "pushl %ebp\n"
    "movl %esp, %ebp\n"
    "subl $" FIXTURE_FRAME
    ", %esp\n"
    "movl $0, -4(%ebp)\n" FIXTURE_SAVE
    "call *8(%ebp)\n"
    ".byte 0xEB, 2, 0x2F, 0\n"  // call-site record without entries
    "xorl %eax, %eax\n"
    "jmp 9f\n"
    ".Lcatch_raise_handler:\n"
    "leal -" FIXTURE_FRAME
    "(%ebp), %esp\n"
    "movl -4(%ebp), %eax\n"
    "movl $0, -4(%ebp)\n"
    "9:\n" FIXTURE_RESTORE
    "leave\n"
    "ret\n"
    ".byte 0x2F\n"
    ".byte 4, 0, 0\n"  // catch class index 0
    "3: .byte ((.Lcatch_raise_handler - 3b) >> 24) & 0xFF, ((.Lcatch_raise_handler - 3b) >> 16) & 0xFF\n"
    ".byte ((.Lcatch_raise_handler - 3b) >> 8) & 0xFF, (.Lcatch_raise_handler - 3b) & 0xFF\n"
    ".byte 0\n" QL_TEXT_END);

#endif
