// Exceptions raised by the runtime's entry points reach a catch clause of a method shaped like compiled code.
#include <gtest/gtest.h>

#include "catch_raise_fixture.h"
#include "object_test_support.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/objects.h"
#include "unit/runtime_classes.h"
#include "values/entry_gate.h"

#include <algorithm>
#include <iterator>

#if defined(__x86_64__)

#if defined(_WIN64)
#define FIXTURE_ARGUMENT "%rcx"
#define REGISTERS_HEADER ".def registers_fixture; .scl 2; .type 32; .endef\n"
#define REGISTERS_FOOTER ""
#define QL_PATTERN_WORDS 27  // rbx rsi rdi r12 r13 r14 r15, then xmm6 .. xmm15 in two words each
#define PATTERN_LOAD                                                                      \
  "movq 0(%rax), %rbx\n movq 8(%rax), %rsi\n movq 16(%rax), %rdi\n movq 24(%rax), %r12\n" \
  "movq 32(%rax), %r13\n movq 40(%rax), %r14\n movq 48(%rax), %r15\n"                     \
  "movups 56(%rax), %xmm6\n movups 72(%rax), %xmm7\n movups 88(%rax), %xmm8\n"            \
  "movups 104(%rax), %xmm9\n movups 120(%rax), %xmm10\n movups 136(%rax), %xmm11\n"       \
  "movups 152(%rax), %xmm12\n movups 168(%rax), %xmm13\n movups 184(%rax), %xmm14\n"      \
  "movups 200(%rax), %xmm15\n"
#define PATTERN_STORE                                                                     \
  "movq %rbx, 0(%rax)\n movq %rsi, 8(%rax)\n movq %rdi, 16(%rax)\n movq %r12, 24(%rax)\n" \
  "movq %r13, 32(%rax)\n movq %r14, 40(%rax)\n movq %r15, 48(%rax)\n"                     \
  "movups %xmm6, 56(%rax)\n movups %xmm7, 72(%rax)\n movups %xmm8, 88(%rax)\n"            \
  "movups %xmm9, 104(%rax)\n movups %xmm10, 120(%rax)\n movups %xmm11, 136(%rax)\n"       \
  "movups %xmm12, 152(%rax)\n movups %xmm13, 168(%rax)\n movups %xmm14, 184(%rax)\n"      \
  "movups %xmm15, 200(%rax)\n"
// What the runtime may do to them between the call and the raise: every one is overwritten.
#define CLOBBER_ALL                                                                      \
  "movq $-1, %rbx\n movq $-1, %rsi\n movq $-1, %rdi\n movq $-1, %r12\n movq $-1, %r13\n" \
  "movq $-1, %r14\n movq $-1, %r15\n pcmpeqd %xmm6, %xmm6\n pcmpeqd %xmm7, %xmm7\n"      \
  "pcmpeqd %xmm8, %xmm8\n pcmpeqd %xmm9, %xmm9\n pcmpeqd %xmm10, %xmm10\n"               \
  "pcmpeqd %xmm11, %xmm11\n pcmpeqd %xmm12, %xmm12\n pcmpeqd %xmm13, %xmm13\n"           \
  "pcmpeqd %xmm14, %xmm14\n pcmpeqd %xmm15, %xmm15\n"
#define CLOBBERING_HEADER ".def clobbering_raiser; .scl 2; .type 32; .endef\n"
#else
#define FIXTURE_ARGUMENT "%rdi"
#define REGISTERS_HEADER ".type registers_fixture, @function\n"
#define REGISTERS_FOOTER ".size registers_fixture, . - registers_fixture\n"
#define QL_PATTERN_WORDS 5  // rbx r12 r13 r14 r15
#define PATTERN_LOAD                                                                      \
  "movq 0(%rax), %rbx\n movq 8(%rax), %r12\n movq 16(%rax), %r13\n movq 24(%rax), %r14\n" \
  "movq 32(%rax), %r15\n"
#define PATTERN_STORE                                                                     \
  "movq %rbx, 0(%rax)\n movq %r12, 8(%rax)\n movq %r13, 16(%rax)\n movq %r14, 24(%rax)\n" \
  "movq %r15, 32(%rax)\n"
#define CLOBBER_ALL "movq $-1, %rbx\n movq $-1, %r12\n movq $-1, %r13\n movq $-1, %r14\n movq $-1, %r15\n"
#define CLOBBERING_HEADER ".type clobbering_raiser, @function\n"
#endif

asm(QL_TEXT_BEGIN
    ".globl registers_fixture\n" REGISTERS_HEADER
    ".p2align 4\n"
    "registers_fixture:\n"
    "pushq %rbp\n"
    "movq %rsp, %rbp\n"
    "subq $" FIXTURE_FRAME
    ", %rsp\n"
    "movq $0, -8(%rbp)\n" FIXTURE_SAVE "movq " FIXTURE_ARGUMENT
    ", %r11\n"
    "leaq register_pattern(%rip), %rax\n" PATTERN_LOAD
    "call ql_entry_gate\n"
    ".byte 0xEB, 2, 0x2F, 0\n"
    "xorl %eax, %eax\n"
    "jmp 9f\n"
    ".Lregisters_handler:\n"
    "leaq -" FIXTURE_FRAME
    "(%rbp), %rsp\n"
    "leaq registers_seen(%rip), %rax\n" PATTERN_STORE
    "movq -8(%rbp), %rax\n"
    "movq $0, -8(%rbp)\n"
    "9:\n" FIXTURE_RESTORE
    "leave\n"
    "ret\n"
    ".byte 0x2F\n"
    ".byte 4, 0, 0\n"
    "3: .byte ((.Lregisters_handler - 3b) >> 24) & 0xFF, ((.Lregisters_handler - 3b) >> 16) & 0xFF\n"
    ".byte ((.Lregisters_handler - 3b) >> 8) & 0xFF, (.Lregisters_handler - 3b) & 0xFF\n"
    ".byte 0\n" REGISTERS_FOOTER QL_TEXT_END);

// void clobbering_raiser(): overwrites every callee-saved register, as the runtime's own frames may, and
// raises. Written out by hand so that its frame is the plain one the frame walk follows on every target
// (a compiled C++ function that saves xmm registers on win64 sets its frame pointer elsewhere).
extern "C" void clobbering_raiser();
asm(QL_TEXT_BEGIN ".globl clobbering_raiser\n" CLOBBERING_HEADER
                  ".p2align 4\n"
                  "clobbering_raiser:\n"
                  "pushq %rbp\n"
                  "movq %rsp, %rbp\n"
                  "subq $32, %rsp\n" CLOBBER_ALL
                  "call RuntimeNilObject\n"
                  "ud2\n" QL_TEXT_END);

#elif defined(__i386__)
#define QL_PATTERN_WORDS 3  // ebx esi edi

asm(QL_TEXT_BEGIN
    ".globl _registers_fixture\n"
    ".def _registers_fixture; .scl 2; .type 32; .endef\n"
    ".p2align 4\n"
    "_registers_fixture:\n"
    "pushl %ebp\n"
    "movl %esp, %ebp\n"
    "subl $" FIXTURE_FRAME
    ", %esp\n"
    "movl $0, -4(%ebp)\n" FIXTURE_SAVE
    "movl 8(%ebp), %eax\n"  // the gate takes its target in eax
    "movl $_register_pattern, %ecx\n"
    "movl 0(%ecx), %ebx\n movl 4(%ecx), %esi\n movl 8(%ecx), %edi\n"
    "call _ql_entry_gate\n"
    ".byte 0xEB, 2, 0x2F, 0\n"
    "xorl %eax, %eax\n"
    "jmp 9f\n"
    ".Lregisters_handler:\n"
    "leal -" FIXTURE_FRAME
    "(%ebp), %esp\n"
    "movl $_registers_seen, %eax\n"
    "movl %ebx, 0(%eax)\n movl %esi, 4(%eax)\n movl %edi, 8(%eax)\n"
    "movl -4(%ebp), %eax\n"
    "movl $0, -4(%ebp)\n"
    "9:\n" FIXTURE_RESTORE
    "leave\n"
    "ret\n"
    ".byte 0x2F\n"
    ".byte 4, 0, 0\n"
    "3: .byte ((.Lregisters_handler - 3b) >> 24) & 0xFF, ((.Lregisters_handler - 3b) >> 16) & 0xFF\n"
    ".byte ((.Lregisters_handler - 3b) >> 8) & 0xFF, (.Lregisters_handler - 3b) & 0xFF\n"
    ".byte 0\n" QL_TEXT_END);

asm(QL_TEXT_BEGIN
    ".globl _clobbering_raiser\n"
    ".def _clobbering_raiser; .scl 2; .type 32; .endef\n"
    ".p2align 4\n"
    "_clobbering_raiser:\n"
    "pushl %ebp\n"
    "movl %esp, %ebp\n"
    "subl $8, %esp\n"
    "movl $-1, %ebx\n movl $-1, %esi\n movl $-1, %edi\n"
    "call _RuntimeNilObject\n"
    "ud2\n" QL_TEXT_END);
#endif

#if defined(QL_HAS_CATCH_RAISE_FIXTURE)

// QlObject* registers_fixture(void (*raiser)()): like catch_raise_fixture, but first loads register_pattern
// into the callee-saved registers and calls raiser as linked compiled code does, through the entry gate with
// the target in r11 (eax on i386). Its handler stores what it finds in those registers into registers_seen.
extern "C" {
QlObject* registers_fixture(void (*raiser)());
uintptr_t register_pattern[QL_PATTERN_WORDS];
uintptr_t registers_seen[QL_PATTERN_WORDS];
// void clobbering_raiser(): overwrites every callee-saved register, as the runtime's own frames may, and
// raises. Written out by hand so that its frame is the plain one the frame walk follows on every target
// (a compiled C++ function that saves xmm registers on win64 sets its frame pointer elsewhere).
void clobbering_raiser();
}

namespace ql::testing {
namespace {

QlObject* not_a_window = nullptr;
QlObject* own_exception = nullptr;

void raise_nil() { RuntimeNilObject(); }
void failing_cast() { RuntimeCheckCast(not_a_window, 1); }
void raise_own() { RuntimeRaiseException(own_exception); }
void passing_cast() { RuntimeCheckCast(nullptr, 1); }

TEST(RaiseAndCatch, RuntimeExceptionsReachTheCatchClauseOfTheCallingMethod) {
  define_runtime_classes();
  InstalledClasses installed({builtin_class("RuntimeException"), builtin_class("Window")});
  int32_t live_before = live_object_count();

  QlObject* caught = catch_raise_fixture(raise_nil);
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(class_of(caught), builtin_class("NilObjectException"));
  EXPECT_EQ(object_header(caught)->count, 1);
  release_object(caught);

  not_a_window = new_object(builtin_class("Picture"));
  caught = catch_raise_fixture(failing_cast);
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(class_of(caught), builtin_class("IllegalCastException"));
  release_object(caught);
  release_object(not_a_window);

  // An exception compiled code made itself: the raise takes a reference of its own.
  own_exception = new_object(builtin_class("OutOfBoundsException"));
  caught = catch_raise_fixture(raise_own);
  EXPECT_EQ(caught, own_exception);
  EXPECT_EQ(object_header(own_exception)->count, 2);
  release_object(caught);
  release_object(own_exception);

  EXPECT_EQ(catch_raise_fixture(passing_cast), nullptr);
  EXPECT_EQ(live_object_count(), live_before);
}

TEST(RaiseAndCatch, TheHandlerRunsWithTheRegistersOfTheCallThatRaised) {
  define_runtime_classes();
  InstalledClasses installed({builtin_class("RuntimeException")});
  const size_t boundaries_before = live_entry_boundaries().count;
  for (size_t i = 0; i < QL_PATTERN_WORDS; ++i)
    register_pattern[i] = static_cast<uintptr_t>(0x0101010101010101u * (i + 1) + i);
  for (void (*raiser)() : {clobbering_raiser, raise_nil}) {
    std::fill(std::begin(registers_seen), std::end(registers_seen), 0);
    QlObject* caught = registers_fixture(raiser);
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(class_of(caught), builtin_class("NilObjectException"));
    release_object(caught);
    for (size_t i = 0; i < QL_PATTERN_WORDS; ++i)
      EXPECT_EQ(registers_seen[i], register_pattern[i]) << "word " << i;
    // The jump abandoned the gate's call; its record went with it.
    EXPECT_EQ(live_entry_boundaries().count, boundaries_before);
  }
}

}  // namespace
}  // namespace ql::testing

#endif
