// ql_jump_to_handler(frame_pointer, handler, registers) for i386 cdecl.
//
// Exception-registration records of the system (the list at fs:[0]) that lie below the target frame
// belong to frames the jump abandons; left in the list they would point into reused stack, so they are
// unlinked first. The list runs from the newest (lowest) record outwards and ends with -1.
// registers, when not null, holds ebx, esi and edi as compiled code had them at its call into the runtime
// (an entry-gate record); they are put back last, just before the jump.
        .text
        .globl  _ql_jump_to_handler
        .def    _ql_jump_to_handler; .scl 2; .type 32; .endef
        .p2align 4
_ql_jump_to_handler:
        movl    4(%esp), %ecx           // frame pointer
        movl    8(%esp), %edx           // handler
        movl    %fs:0, %eax
1:      cmpl    $-1, %eax
        je      2f
        cmpl    %ecx, %eax
        jae     2f
        movl    (%eax), %eax
        jmp     1b
2:      movl    %eax, %fs:0
        movl    12(%esp), %eax          // registers
        testl   %eax, %eax
        jz      3f
        movl    0(%eax), %ebx
        movl    4(%eax), %esi
        movl    8(%eax), %edi
3:      movl    %ecx, %ebp
        jmpl    *%edx
