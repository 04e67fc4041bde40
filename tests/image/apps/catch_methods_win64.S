// Methods shaped as the language's compiler makes them (Microsoft x64), each catching the exception that
// RuntimeNilObject raises with a clause for class index 0 (RuntimeException) and returning normally.

        // EB, 2, 2F, 0: a call-site record without entries.
        .macro  CALL_SITE
        .byte   0xEB, 2, 0x2F, 0
        .endm

        // Opcode 4 for class index 0 and the handler's displacement, big-endian.
        .macro  CATCH_ALL handler
        .byte   4, 0, 0
3:      .byte   ((\handler - 3b) >> 24) & 0xFF, ((\handler - 3b) >> 16) & 0xFF
        .byte   ((\handler - 3b) >> 8) & 0xFF, (\handler - 3b) & 0xFF
        .endm

// int32_t catch_nil_plainly(void): keeps only its frame pointer, as a small method does, so the registers it
// leaves alone must still hold its caller's values when it returns.
        .text
        .globl  catch_nil_plainly
        .def    catch_nil_plainly; .scl 2; .type 32; .endef
        .p2align 4
catch_nil_plainly:
        pushq   %rbp
        movq    %rsp, %rbp
        subq    $48, %rsp               // exception slot at -8, then the home area of its calls
        movq    $0, -8(%rbp)
        call    RuntimeNilObject
        CALL_SITE
        xorl    %eax, %eax
        jmp     9f
.Lplain_handler:
        leaq    -48(%rbp), %rsp
        movq    -8(%rbp), %rcx
        movq    $0, -8(%rbp)
        call    RuntimeUnlockObject
        CALL_SITE
        movl    $1, %eax
9:      leave
        ret
        .byte   0x2F
        CATCH_ALL .Lplain_handler
        .byte   0

// int32_t catch_nil_checking_registers(void): puts known values into every callee-saved register before the
// call; its handler answers 1 when they are all still there and 2 when any has changed.
        .set    kFrame, 272             // slot -8, saves -16 .. -224, answer -232, home area below
        .macro  EXPECT_KEPT register, value
        movabsq $\value, %rax
        cmpq    %rax, \register
        jne     .Llost
        .endm
        .macro  EXPECT_XMM register, value
        movq    \register, %rcx
        movabsq $\value, %rax
        cmpq    %rax, %rcx
        jne     .Llost
        .endm

        .globl  catch_nil_checking_registers
        .def    catch_nil_checking_registers; .scl 2; .type 32; .endef
        .p2align 4
catch_nil_checking_registers:
        pushq   %rbp
        movq    %rsp, %rbp
        subq    $kFrame, %rsp
        movq    $0, -8(%rbp)
        movq    %rbx, -16(%rbp)
        movq    %rsi, -24(%rbp)
        movq    %rdi, -32(%rbp)
        movq    %r12, -40(%rbp)
        movq    %r13, -48(%rbp)
        movq    %r14, -56(%rbp)
        movq    %r15, -64(%rbp)
        movaps  %xmm6, -80(%rbp)
        movaps  %xmm7, -96(%rbp)
        movaps  %xmm8, -112(%rbp)
        movaps  %xmm9, -128(%rbp)
        movaps  %xmm10, -144(%rbp)
        movaps  %xmm11, -160(%rbp)
        movaps  %xmm12, -176(%rbp)
        movaps  %xmm13, -192(%rbp)
        movaps  %xmm14, -208(%rbp)
        movaps  %xmm15, -224(%rbp)
        movabsq $0x1111111111111111, %rbx
        movabsq $0x2222222222222222, %rsi
        movabsq $0x3333333333333333, %rdi
        movabsq $0x4444444444444444, %r12
        movabsq $0x5555555555555555, %r13
        movabsq $0x6666666666666666, %r14
        movabsq $0x7777777777777777, %r15
        movabsq $0x0606060606060606, %rax
        movq    %rax, %xmm6
        movabsq $0x0707070707070707, %rax
        movq    %rax, %xmm7
        movabsq $0x0808080808080808, %rax
        movq    %rax, %xmm8
        movabsq $0x0909090909090909, %rax
        movq    %rax, %xmm9
        movabsq $0x1010101010101010, %rax
        movq    %rax, %xmm10
        movabsq $0x1111111111111110, %rax
        movq    %rax, %xmm11
        movabsq $0x1212121212121212, %rax
        movq    %rax, %xmm12
        movabsq $0x1313131313131313, %rax
        movq    %rax, %xmm13
        movabsq $0x1414141414141414, %rax
        movq    %rax, %xmm14
        movabsq $0x1515151515151515, %rax
        movq    %rax, %xmm15
        call    RuntimeNilObject
        CALL_SITE
        xorl    %eax, %eax
        jmp     8f
.Lchecking_handler:
        leaq    -kFrame(%rbp), %rsp
        movl    $2, -232(%rbp)
        EXPECT_KEPT %rbx, 0x1111111111111111
        EXPECT_KEPT %rsi, 0x2222222222222222
        EXPECT_KEPT %rdi, 0x3333333333333333
        EXPECT_KEPT %r12, 0x4444444444444444
        EXPECT_KEPT %r13, 0x5555555555555555
        EXPECT_KEPT %r14, 0x6666666666666666
        EXPECT_KEPT %r15, 0x7777777777777777
        EXPECT_XMM %xmm6, 0x0606060606060606
        EXPECT_XMM %xmm7, 0x0707070707070707
        EXPECT_XMM %xmm8, 0x0808080808080808
        EXPECT_XMM %xmm9, 0x0909090909090909
        EXPECT_XMM %xmm10, 0x1010101010101010
        EXPECT_XMM %xmm11, 0x1111111111111110
        EXPECT_XMM %xmm12, 0x1212121212121212
        EXPECT_XMM %xmm13, 0x1313131313131313
        EXPECT_XMM %xmm14, 0x1414141414141414
        EXPECT_XMM %xmm15, 0x1515151515151515
        movl    $1, -232(%rbp)
.Llost:
        movq    -8(%rbp), %rcx
        movq    $0, -8(%rbp)
        call    RuntimeUnlockObject
        CALL_SITE
        movl    -232(%rbp), %eax
8:      movq    -16(%rbp), %rbx
        movq    -24(%rbp), %rsi
        movq    -32(%rbp), %rdi
        movq    -40(%rbp), %r12
        movq    -48(%rbp), %r13
        movq    -56(%rbp), %r14
        movq    -64(%rbp), %r15
        movaps  -80(%rbp), %xmm6
        movaps  -96(%rbp), %xmm7
        movaps  -112(%rbp), %xmm8
        movaps  -128(%rbp), %xmm9
        movaps  -144(%rbp), %xmm10
        movaps  -160(%rbp), %xmm11
        movaps  -176(%rbp), %xmm12
        movaps  -192(%rbp), %xmm13
        movaps  -208(%rbp), %xmm14
        movaps  -224(%rbp), %xmm15
        leave
        ret
        .byte   0x2F
        CATCH_ALL .Lchecking_handler
        .byte   0
