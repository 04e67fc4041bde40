// _ql_entry_gate for i386 cdecl: entered by a thunk's jump with the entry point in eax and the caller's
// return address on top of the stack; every argument is on the stack, ecx and edx are free. eax, edx and
// st(0) carry the result back, so the way back uses ecx only.
#include "values/entry_gate_layout.h"

        .text
        .globl  _ql_entry_gate
        .globl  _ql_entry_gate_return
        .def    _ql_entry_gate; .scl 2; .type 32; .endef
        .p2align 4
_ql_entry_gate:
        movl    _ql_entry_boundary_top, %ecx
        cmpl    _ql_entry_boundary_limit, %ecx
        jae     _ql_entry_boundaries_exhausted
        movl    %esp, QL_BOUNDARY_SLOT(%ecx)
        popl    QL_BOUNDARY_RETURN(%ecx)
        movl    %ebx, QL_BOUNDARY_REGISTERS+0(%ecx)
        movl    %esi, QL_BOUNDARY_REGISTERS+4(%ecx)
        movl    %edi, QL_BOUNDARY_REGISTERS+8(%ecx)
        leal    QL_BOUNDARY_SIZE(%ecx), %edx
        movl    %edx, _ql_entry_boundary_top
        calll   *%eax
_ql_entry_gate_return:
        movl    _ql_entry_boundary_top, %ecx
        subl    $QL_BOUNDARY_SIZE, %ecx
        movl    %ecx, _ql_entry_boundary_top
        pushl   QL_BOUNDARY_RETURN(%ecx)
        ret
