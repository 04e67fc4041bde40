// ql_entry_gate for the System V x86-64 convention of the host: entered by a thunk's jump with the entry
// point in r11 and the caller's return address on top of the stack. Only r10 is free besides: rax carries
// the vector-register count of a variadic call, rdi, rsi, rdx, rcx, r8, r9 and xmm0-7 carry arguments.
#include "values/entry_gate_layout.h"

        .text
        .globl  ql_entry_gate
        .globl  ql_entry_gate_return
        .type   ql_entry_gate, @function
        .p2align 4
ql_entry_gate:
        movq    ql_entry_boundary_top(%rip), %r10
        cmpq    ql_entry_boundary_limit(%rip), %r10
        jae     ql_entry_boundaries_exhausted
        movq    %rsp, QL_BOUNDARY_SLOT(%r10)
        popq    QL_BOUNDARY_RETURN(%r10)
        movq    %rbx, QL_BOUNDARY_REGISTERS+0(%r10)
        movq    %r12, QL_BOUNDARY_REGISTERS+8(%r10)
        movq    %r13, QL_BOUNDARY_REGISTERS+16(%r10)
        movq    %r14, QL_BOUNDARY_REGISTERS+24(%r10)
        movq    %r15, QL_BOUNDARY_REGISTERS+32(%r10)
        addq    $QL_BOUNDARY_SIZE, %r10
        movq    %r10, ql_entry_boundary_top(%rip)
        callq   *%r11
ql_entry_gate_return:
        movq    ql_entry_boundary_top(%rip), %r11
        subq    $QL_BOUNDARY_SIZE, %r11
        movq    %r11, ql_entry_boundary_top(%rip)
        pushq   QL_BOUNDARY_RETURN(%r11)
        ret
        .size   ql_entry_gate, . - ql_entry_gate
        .section .note.GNU-stack, "", @progbits
