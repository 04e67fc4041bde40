// ql_entry_gate for the Microsoft x64 convention: entered by a thunk's jump with the entry point in r11 and
// the caller's return address on top of the stack. rax and r10 are free here, rcx, rdx, r8, r9 and xmm0-3
// carry arguments; rax and xmm0 carry the result back.
#include "values/entry_gate_layout.h"

        .text
        .globl  ql_entry_gate
        .globl  ql_entry_gate_return
        .def    ql_entry_gate; .scl 2; .type 32; .endef
        .p2align 4
ql_entry_gate:
        movq    ql_entry_boundary_top(%rip), %r10
        cmpq    ql_entry_boundary_limit(%rip), %r10
        jae     ql_entry_boundaries_exhausted
        movq    %rsp, QL_BOUNDARY_SLOT(%r10)
        popq    QL_BOUNDARY_RETURN(%r10)
        movq    %rbx, QL_BOUNDARY_REGISTERS+0(%r10)
        movq    %rsi, QL_BOUNDARY_REGISTERS+8(%r10)
        movq    %rdi, QL_BOUNDARY_REGISTERS+16(%r10)
        movq    %r12, QL_BOUNDARY_REGISTERS+24(%r10)
        movq    %r13, QL_BOUNDARY_REGISTERS+32(%r10)
        movq    %r14, QL_BOUNDARY_REGISTERS+40(%r10)
        movq    %r15, QL_BOUNDARY_REGISTERS+48(%r10)
        movaps  %xmm6, QL_BOUNDARY_XMM+0(%r10)
        movaps  %xmm7, QL_BOUNDARY_XMM+16(%r10)
        movaps  %xmm8, QL_BOUNDARY_XMM+32(%r10)
        movaps  %xmm9, QL_BOUNDARY_XMM+48(%r10)
        movaps  %xmm10, QL_BOUNDARY_XMM+64(%r10)
        movaps  %xmm11, QL_BOUNDARY_XMM+80(%r10)
        movaps  %xmm12, QL_BOUNDARY_XMM+96(%r10)
        movaps  %xmm13, QL_BOUNDARY_XMM+112(%r10)
        movaps  %xmm14, QL_BOUNDARY_XMM+128(%r10)
        movaps  %xmm15, QL_BOUNDARY_XMM+144(%r10)
        addq    $QL_BOUNDARY_SIZE, %r10
        movq    %r10, ql_entry_boundary_top(%rip)
        callq   *%r11
ql_entry_gate_return:
        movq    ql_entry_boundary_top(%rip), %r11
        subq    $QL_BOUNDARY_SIZE, %r11
        movq    %r11, ql_entry_boundary_top(%rip)
        pushq   QL_BOUNDARY_RETURN(%r11)
        ret
