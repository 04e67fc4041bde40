// Methods shaped as the language's compiler makes them (i386 cdecl), each catching the exception that
// RuntimeNilObject raises with a clause for class index 0 (RuntimeException) and returning normally.

        .macro  CALL_SITE
        .byte   0xEB, 2, 0x2F, 0
        .endm

        .macro  CATCH_ALL handler
        .byte   4, 0, 0
3:      .byte   ((\handler - 3b) >> 24) & 0xFF, ((\handler - 3b) >> 16) & 0xFF
        .byte   ((\handler - 3b) >> 8) & 0xFF, (\handler - 3b) & 0xFF
        .endm

// int32_t catch_nil_plainly(void): keeps only its frame pointer, so the registers it leaves alone must still
// hold its caller's values when it returns.
        .text
        .globl  _catch_nil_plainly
        .def    _catch_nil_plainly; .scl 2; .type 32; .endef
        .p2align 4
_catch_nil_plainly:
        pushl   %ebp
        movl    %esp, %ebp
        subl    $8, %esp                // exception slot at -4, one outgoing argument
        movl    $0, -4(%ebp)
        call    _RuntimeNilObject
        CALL_SITE
        xorl    %eax, %eax
        jmp     9f
.Lplain_handler:
        leal    -8(%ebp), %esp
        movl    -4(%ebp), %eax
        movl    $0, -4(%ebp)
        movl    %eax, 0(%esp)
        call    _RuntimeUnlockObject
        CALL_SITE
        movl    $1, %eax
9:      leave
        ret
        .byte   0x2F
        CATCH_ALL .Lplain_handler
        .byte   0

// int32_t catch_nil_checking_registers(void): puts known values into ebx, esi and edi before the call; its
// handler answers 1 when they are all still there and 2 when any has changed.
        .globl  _catch_nil_checking_registers
        .def    _catch_nil_checking_registers; .scl 2; .type 32; .endef
        .p2align 4
_catch_nil_checking_registers:
        pushl   %ebp
        movl    %esp, %ebp
        subl    $24, %esp               // slot -4, saves -8 .. -16, answer -20, one outgoing argument
        movl    $0, -4(%ebp)
        movl    %ebx, -8(%ebp)
        movl    %esi, -12(%ebp)
        movl    %edi, -16(%ebp)
        movl    $0x11111111, %ebx
        movl    $0x22222222, %esi
        movl    $0x33333333, %edi
        call    _RuntimeNilObject
        CALL_SITE
        xorl    %eax, %eax
        jmp     8f
.Lchecking_handler:
        leal    -24(%ebp), %esp
        movl    $2, -20(%ebp)
        cmpl    $0x11111111, %ebx
        jne     .Llost
        cmpl    $0x22222222, %esi
        jne     .Llost
        cmpl    $0x33333333, %edi
        jne     .Llost
        movl    $1, -20(%ebp)
.Llost:
        movl    -4(%ebp), %eax
        movl    $0, -4(%ebp)
        movl    %eax, 0(%esp)
        call    _RuntimeUnlockObject
        CALL_SITE
        movl    -20(%ebp), %eax
8:      movl    -8(%ebp), %ebx
        movl    -12(%ebp), %esi
        movl    -16(%ebp), %edi
        leave
        ret
        .byte   0x2F
        CATCH_ALL .Lchecking_handler
        .byte   0
