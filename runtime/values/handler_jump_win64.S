// ql_jump_to_handler(frame_pointer, handler) for the Microsoft x64 convention: rcx, rdx.
// The handler sets up its own stack pointer from the frame pointer, so the stack is left as it is.
        .text
        .globl  ql_jump_to_handler
        .def    ql_jump_to_handler; .scl 2; .type 32; .endef
        .p2align 4
ql_jump_to_handler:
        movq    %rcx, %rbp
        jmpq    *%rdx
