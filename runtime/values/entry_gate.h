// The entry gate: every call that compiled code makes to the runtime passes through it, and it keeps the
// registers that the calling convention asks a callee to preserve, as compiled code had them at the call.
//
// Why. A handler of compiled code runs in the middle of its method, long after the runtime's own frames
// have changed those registers; the jump into it must give them back as the method left them, or the
// method and every caller it returns to go on with the runtime's values.
//
// How. Linking points each call site at a thunk that loads the entry point's address into a scratch
// register (r11 on x86-64, eax on i386) and jumps to ql_entry_gate. The gate pushes a boundary record
// {return-address slot, return address, callee-saved registers} on a stack of its own, takes the return
// address off the machine stack and calls the entry point, so that the entry point finds its arguments
// exactly where compiled code put them. Its own return address, ql_entry_gate_return, stands in the slot
// meanwhile; there the gate pops the record and returns to compiled code. The frame walk, meeting that
// address, takes the real one from the record of the same slot.
//
// Records live in one array, the runtime's single thread being the only one that runs compiled code.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "values/entry_gate_layout.h"

namespace ql {

struct CalleeSavedRegisters {
#if defined(_WIN64)
  uintptr_t rbx, rsi, rdi, r12, r13, r14, r15, padding;
  alignas(16) uint8_t xmm[10][16];  // xmm6 .. xmm15
#elif defined(_WIN32)
  uintptr_t ebx, esi, edi;
#else
  uintptr_t rbx, r12, r13, r14, r15, padding;
#endif
};

struct alignas(QL_WORD == 8 ? 16 : 4) EntryBoundary {
  uintptr_t slot;            // where the call's return address stood on the machine stack
  uintptr_t return_address;  // into compiled code
  CalleeSavedRegisters registers;
};

static_assert(offsetof(EntryBoundary, slot) == QL_BOUNDARY_SLOT);
static_assert(offsetof(EntryBoundary, return_address) == QL_BOUNDARY_RETURN);
static_assert(offsetof(EntryBoundary, registers) == QL_BOUNDARY_REGISTERS);
#if defined(_WIN64)
static_assert(offsetof(EntryBoundary, registers) + offsetof(CalleeSavedRegisters, xmm) == QL_BOUNDARY_XMM);
#endif
static_assert(sizeof(EntryBoundary) == QL_BOUNDARY_SIZE);

// The calls in progress, oldest first (so their slots fall from first to last), and the gate's return
// address that stands in their slots.
struct EntryBoundaries {
  const EntryBoundary* records = nullptr;
  size_t count = 0;
  uintptr_t gate_return = 0;
};
EntryBoundaries live_entry_boundaries();

// Forgets the records from index kept on: the calls they belong to were abandoned by a jump into a handler.
void cut_entry_boundaries(size_t kept);

// Where a thunk sends a call, with the entry point's address in r11 (x86-64) or eax (i386).
uintptr_t entry_gate_address();

}  // namespace ql

extern "C" {
void ql_entry_gate();
extern char ql_entry_gate_return[];
// Reached from the gate when the record stack is full: ends the program with a message.
[[noreturn]] void ql_entry_boundaries_exhausted();
}
