// ql_jump_to_handler(frame_pointer, handler, registers) for the Microsoft x64 convention: rcx, rdx, r8.
// registers, when not null, holds the callee-saved registers as compiled code had them at its call into the
// runtime (an entry-gate record); they are put back first. The handler sets up its own stack pointer from
// the frame pointer, so the stack is left as it is.
#include "values/entry_gate_layout.h"

        .set    kXmm, QL_BOUNDARY_XMM - QL_BOUNDARY_REGISTERS

        .text
        .globl  ql_jump_to_handler
        .def    ql_jump_to_handler; .scl 2; .type 32; .endef
        .p2align 4
ql_jump_to_handler:
        testq   %r8, %r8
        jz      1f
        movq    0(%r8), %rbx
        movq    8(%r8), %rsi
        movq    16(%r8), %rdi
        movq    24(%r8), %r12
        movq    32(%r8), %r13
        movq    40(%r8), %r14
        movq    48(%r8), %r15
        movaps  kXmm+0(%r8), %xmm6
        movaps  kXmm+16(%r8), %xmm7
        movaps  kXmm+32(%r8), %xmm8
        movaps  kXmm+48(%r8), %xmm9
        movaps  kXmm+64(%r8), %xmm10
        movaps  kXmm+80(%r8), %xmm11
        movaps  kXmm+96(%r8), %xmm12
        movaps  kXmm+112(%r8), %xmm13
        movaps  kXmm+128(%r8), %xmm14
        movaps  kXmm+144(%r8), %xmm15
1:      movq    %rcx, %rbp
        jmpq    *%rdx
