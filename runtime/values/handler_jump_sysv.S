// ql_jump_to_handler(frame_pointer, handler, registers) for the System V x86-64 convention of the host:
// rdi, rsi, rdx. registers, when not null, holds rbx and r12-r15 as compiled code had them at its call into
// the runtime (an entry-gate record); they are put back first.
        .text
        .globl  ql_jump_to_handler
        .type   ql_jump_to_handler, @function
        .p2align 4
ql_jump_to_handler:
        testq   %rdx, %rdx
        jz      1f
        movq    0(%rdx), %rbx
        movq    8(%rdx), %r12
        movq    16(%rdx), %r13
        movq    24(%rdx), %r14
        movq    32(%rdx), %r15
1:      movq    %rdi, %rbp
        jmpq    *%rsi
        .size   ql_jump_to_handler, . - ql_jump_to_handler
        .section .note.GNU-stack, "", @progbits
