// ql_jump_to_handler(frame_pointer, handler) for the System V x86-64 convention of the host: rdi, rsi.
        .text
        .globl  ql_jump_to_handler
        .type   ql_jump_to_handler, @function
        .p2align 4
ql_jump_to_handler:
        movq    %rdi, %rbp
        jmpq    *%rsi
        .size   ql_jump_to_handler, . - ql_jump_to_handler
        .section .note.GNU-stack, "", @progbits
