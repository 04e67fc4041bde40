// Finding the handler of a language exception: a walk along the saved frame pointers of the raising thread
// that runs the cleanup records compiled code keeps beside its calls and at the end of its methods.
//
// Frames. Every frame in the chain is the frame pointer of a routine that began with `push ebp/rbp;
// mov ebp/rbp, esp/rsp`: word [0] is its caller's frame pointer, word [1] the return address into the
// caller. Words are pointer-sized on every target.
//
// The argument area of a call. For the call that returned to R = frame[1], made by the method M whose
// frame pointer is frame[0], the argument area is the block at the stack pointer M had when it made the
// call, which is frame + 2 words. The operand k of call-site opcodes 1 and 2 counts bytes from the start of
// that block:
//   i386 (cdecl):           k = 0 is the first argument, k = 4 the second, ...
//   x86-64 (Microsoft x64): k = 0..31 is the home area of the four register arguments (what it holds is
//                           up to the callee), k = 32 is the fifth argument, k = 40 the sixth, ...
//
// The exception slot of M is the word at M's frame pointer - one word. A catch stores the exception there
// (with the reference the raise took); the slot's object is released and the slot zeroed when an exception
// leaves M without a catch. A catch in a method whose slot still holds an earlier exception releases that
// earlier one first.
//
// Variables named by table opcodes 5 and 6 are words at M's frame pointer + offset.
//
// Calls through the entry gate (values/entry_gate.h) hold the gate's return address in their slot; the walk
// takes the real one, and the callee-saved registers of the call, from the gate's record of that slot. A
// handler gets the registers of the last such record the walk passed: for a catch at a call into the
// runtime, exactly the method's own at that call. For a catch at a call to other compiled code, they are
// those of the first call into the runtime made within it, which differ from the method's own where the
// code in between changed registers it had saved in the frames the jump abandons. A method that catches at
// such calls therefore keeps nothing in callee-saved registers across them and restores all of them for
// its caller from its own frame, as the fixtures do.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillet/types.h"
#include "values/entry_gate.h"

namespace ql {

// Everything the walk needs from the object model and the system. release_object drops the reference
// (lock) a slot or variable holds; report goes to the assertion reporter; readable answers whether n bytes
// at p can be read without a fault (platform::is_readable in the runtime).
struct FrameWalkHooks {
  bool (*isa)(QlObject* exception, int32_t class_index);
  void (*release_string)(QlString string);
  void (*release_object)(QlObject* object);
  void (*report)(const char* source, int line);
  bool (*readable)(const void* p, size_t n);
};

// Where control goes for a caught exception: the frame pointer to install, the handler's address and the
// callee-saved registers to put back (null when the walk passed no gate record). The gate records from
// boundaries_kept on belong to calls the jump abandons.
struct HandlerTarget {
  uintptr_t frame_pointer = 0;
  uintptr_t handler = 0;
  const CalleeSavedRegisters* registers = nullptr;
  size_t boundaries_kept = 0;
};

// A method's handler table must begin within this many bytes after the end of a call-site record in it.
inline constexpr size_t kHandlerTableScanLimit = size_t{1} << 20;
// Once past the first call, a caller's frame pointer lies at most this far above its callee's.
inline constexpr uintptr_t kMaxFrameGap = 4096;

// Walks outward from `frame`, the frame pointer of the runtime routine that raises (usually
// __builtin_frame_address(0) of the raising routine), releasing what the frames it leaves hold. Returns
// true with `out` set when a catch clause takes the exception; false when the exception is unhandled,
// including every defensive stop: an unreadable frame (3 words) or return address, a caller's frame
// pointer that is 0, not above its callee's, or (after the first) more than kMaxFrameGap above it, a
// call-site record that does not end within its length, a handler table that cannot be found or read, and
// a frame holding the gate's return address without a gate record for its slot. Frames whose return
// address carries no call-site record are passed over.
bool find_handler(QlObject* exception, uintptr_t frame, const FrameWalkHooks& hooks, HandlerTarget& out,
                  const EntryBoundaries& boundaries = EntryBoundaries{});

// Puts back the callee-saved registers when given, installs the frame pointer and jumps to the handler,
// which sets up its own stack pointer from the frame pointer. On i386 the system's exception-registration
// chain is cut back to the records that lie above the target frame.
extern "C" [[noreturn]] void ql_jump_to_handler(uintptr_t frame_pointer, uintptr_t handler,
                                                const CalleeSavedRegisters* registers);

// Forgets the gate records of the abandoned calls and jumps.
[[noreturn]] inline void jump_to_handler(const HandlerTarget& target) {
  cut_entry_boundaries(target.boundaries_kept);
  ql_jump_to_handler(target.frame_pointer, target.handler, target.registers);
}

}  // namespace ql
