// Byte offsets of an entry-boundary record, shared by entry_gate.h and the gate and jump assembly of each
// target. Plain macros only: the assembly files include this header too.
#pragma once

#define QL_BOUNDARY_SLOT 0  // address of the return-address slot of the call
#if defined(_WIN64)
#define QL_WORD 8
#define QL_BOUNDARY_RETURN 8      // the return address into compiled code
#define QL_BOUNDARY_REGISTERS 16  // rbx rsi rdi r12 r13 r14 r15, a padding word, then xmm6 .. xmm15
#define QL_BOUNDARY_XMM 80
#define QL_BOUNDARY_SIZE 240
#elif defined(_WIN32)
#define QL_WORD 4
#define QL_BOUNDARY_RETURN 4
#define QL_BOUNDARY_REGISTERS 8  // ebx esi edi
#define QL_BOUNDARY_SIZE 20
#else
#define QL_WORD 8
#define QL_BOUNDARY_RETURN 8
#define QL_BOUNDARY_REGISTERS 16  // rbx r12 r13 r14 r15, a padding word
#define QL_BOUNDARY_SIZE 64
#endif

// How many calls from compiled code into the runtime may be in progress at once.
#define QL_BOUNDARY_CAPACITY 16384
