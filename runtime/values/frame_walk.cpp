// The frame walk of a raised exception: call-site records, handler tables, and the gate records it passes.
#include "values/frame_walk.h"

#include <string.h>

namespace ql {
namespace {

constexpr size_t kWord = sizeof(uintptr_t);
constexpr uintptr_t kPageSize = 4096;

constexpr uint8_t kShortJump = 0xEB;
constexpr uint8_t kMarker = 0x2F;
constexpr uint8_t kLeave = 0xC9;
constexpr uint8_t kReturn = 0xC3;

enum CallSiteOpcode : uint8_t { kReleaseArgumentString = 1, kReleaseArgumentObject = 2, kSkipCatch = 7 };
enum TableOpcode : uint8_t { kCatch = 4, kReleaseString = 5, kReleaseObject = 6 };

enum class Outcome { kPassed, kCaught, kStop };

// Memory of the walked thread, read and written only after the hooks vouch for it. Words may be
// misaligned in a damaged chain, hence memcpy.
struct Memory {
  const FrameWalkHooks& hooks;

  bool readable(uintptr_t address, size_t n) const {
    return address != 0 && address + n > address && hooks.readable(reinterpret_cast<const void*>(address), n);
  }
  static uint8_t byte(uintptr_t address) { return *reinterpret_cast<const uint8_t*>(address); }
  static uintptr_t word(uintptr_t address) {
    uintptr_t value;
    memcpy(&value, reinterpret_cast<const void*>(address), kWord);
    return value;
  }
  static void clear_word(uintptr_t address) { memset(reinterpret_cast<void*>(address), 0, kWord); }
  static int16_t big_i16(uintptr_t address) {
    return static_cast<int16_t>(static_cast<uint16_t>(byte(address) << 8 | byte(address + 1)));
  }
  static int32_t big_i32(uintptr_t address) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | byte(address + i);
    return static_cast<int32_t>(value);
  }
};

// The reference a word holds is released and the word zeroed; false when the word cannot be read.
bool release_string_at(const Memory& memory, uintptr_t address) {
  if (!memory.readable(address, kWord)) return false;
  if (uintptr_t value = Memory::word(address)) {
    Memory::clear_word(address);
    memory.hooks.release_string(reinterpret_cast<QlString>(value));
  }
  return true;
}

bool release_object_at(const Memory& memory, uintptr_t address) {
  if (!memory.readable(address, kWord)) return false;
  if (uintptr_t value = Memory::word(address)) {
    Memory::clear_word(address);
    memory.hooks.release_object(reinterpret_cast<QlObject*>(value));
  }
  return true;
}

// Runs the entries of the call-site record at `record` (its EB, n, 2F already seen) against the argument
// area at `arguments`. Returns the record's end, or 0 when the record is damaged or unreadable.
uintptr_t run_call_site(const Memory& memory, uintptr_t record, uintptr_t arguments, bool& skip_catch) {
  const uintptr_t end = record + 2 + Memory::byte(record + 1);
  if (!memory.readable(record, end - record)) return 0;
  for (uintptr_t at = record + 3; at < end;) {
    const uint8_t opcode = Memory::byte(at++);
    switch (opcode) {
      case 0:
        return end;
      case kReleaseArgumentString:
      case kReleaseArgumentObject: {
        if (at >= end) return 0;
        const uintptr_t slot = arguments + Memory::byte(at++);
        const bool done = opcode == kReleaseArgumentString ? release_string_at(memory, slot)
                                                           : release_object_at(memory, slot);
        if (!done) return 0;
        break;
      }
      case kSkipCatch:
        skip_catch = true;
        break;
      default:
        memory.hooks.report("win32exception", 91);
        break;
    }
  }
  return 0;  // no terminating 0 within the record's length
}

// The first byte after the C9 C3 2F that opens the handler table, or 0 when none begins within the scan
// limit of `from` or the code becomes unreadable first. Readability is asked a page at a time, and byte by
// byte only in the page where it ends.
uintptr_t find_handler_table(const Memory& memory, uintptr_t from) {
  const uintptr_t last_start = from + kHandlerTableScanLimit;
  if (last_start < from) return 0;
  uintptr_t readable_end = from;
  uint8_t before_previous = 0, previous = 0;
  for (uintptr_t at = from; at < last_start + 2; ++at) {
    if (at == readable_end) {
      const uintptr_t page_end = (at | (kPageSize - 1)) + 1;
      if (page_end > at && memory.readable(at, page_end - at)) {
        readable_end = page_end;
      } else if (memory.readable(at, 1)) {
        readable_end = at + 1;
      } else {
        return 0;
      }
    }
    const uint8_t current = Memory::byte(at);
    if (at >= from + 2 && before_previous == kLeave && previous == kReturn && current == kMarker)
      return at + 1;
    before_previous = previous;
    previous = current;
  }
  return 0;
}

// Runs the handler table of the method whose frame pointer is `frame` from its first entry at `table`.
Outcome run_handler_table(const Memory& memory, QlObject* exception, uintptr_t table, uintptr_t frame,
                          bool skip_catch, HandlerTarget& out) {
  const uintptr_t slot = frame - kWord;
  for (uintptr_t at = table; at - table < kHandlerTableScanLimit;) {
    if (!memory.readable(at, 1)) return Outcome::kStop;
    switch (Memory::byte(at)) {
      case 0:
        // The exception leaves the method: whatever it had caught goes with it.
        return release_object_at(memory, slot) ? Outcome::kPassed : Outcome::kStop;
      case kCatch: {
        if (!memory.readable(at, 7)) return Outcome::kStop;
        const int32_t class_index = Memory::big_i16(at + 1);
        const uintptr_t displacement_field = at + 3;
        at += 7;
        if (skip_catch || !memory.hooks.isa(exception, class_index)) break;
        // The slot owns its reference: one caught earlier and still there would otherwise never be
        // released. The raise holds its own reference, so this cannot free `exception` itself.
        if (!release_object_at(memory, slot)) return Outcome::kStop;
        memcpy(reinterpret_cast<void*>(slot), &exception, kWord);
        out.frame_pointer = frame;
        out.handler = displacement_field +
                      static_cast<uintptr_t>(static_cast<intptr_t>(Memory::big_i32(displacement_field)));
        return Outcome::kCaught;
      }
      case kReleaseString:
      case kReleaseObject: {
        if (!memory.readable(at, 3)) return Outcome::kStop;
        const uintptr_t variable =
            frame + static_cast<uintptr_t>(static_cast<intptr_t>(Memory::big_i16(at + 1)));
        const bool done = Memory::byte(at) == kReleaseString ? release_string_at(memory, variable)
                                                             : release_object_at(memory, variable);
        if (!done) return Outcome::kStop;
        at += 3;
        break;
      }
      default:
        ++at;
        break;
    }
  }
  return Outcome::kStop;
}

// The call that returned to `return_address` in the method whose frame pointer is `method_frame`; `frame`
// is the callee's frame pointer.
Outcome visit_call(const Memory& memory, QlObject* exception, uintptr_t frame, uintptr_t return_address,
                   uintptr_t method_frame, HandlerTarget& out) {
  if (Memory::byte(return_address) != kShortJump || Memory::byte(return_address + 2) != kMarker) {
    return Outcome::kPassed;  // not a call made by compiled code
  }
  bool skip_catch = false;
  const uintptr_t record_end = run_call_site(memory, return_address, frame + 2 * kWord, skip_catch);
  if (record_end == 0) return Outcome::kStop;
  const uintptr_t table = find_handler_table(memory, record_end);
  if (table == 0) return Outcome::kStop;
  return run_handler_table(memory, exception, table, method_frame, skip_catch, out);
}

}  // namespace

bool find_handler(QlObject* exception, uintptr_t frame, const FrameWalkHooks& hooks, HandlerTarget& out,
                  const EntryBoundaries& boundaries) {
  const Memory memory{hooks};
  // Records from `unpassed` on belong to calls inside the frames walked so far; `passed` is the last one met.
  size_t unpassed = boundaries.count;
  const EntryBoundary* passed = nullptr;
  for (bool first = true;; first = false) {
    if (!memory.readable(frame, 3 * kWord)) return false;
    const uintptr_t caller = Memory::word(frame);
    uintptr_t return_address = Memory::word(frame + kWord);
    // The chain must rise strictly, or a damaged one could keep the walk going round.
    if (caller == 0 || caller <= frame || (!first && caller - frame > kMaxFrameGap)) return false;
    if (boundaries.gate_return != 0 && return_address == boundaries.gate_return) {
      // Records of calls deeper than this frame lie below its slot; they were passed in frames the chain
      // does not show (a callee without a frame of its own).
      const uintptr_t slot = frame + kWord;
      while (unpassed > 0 && boundaries.records[unpassed - 1].slot < slot) --unpassed;
      if (unpassed == 0 || boundaries.records[unpassed - 1].slot != slot) return false;
      passed = &boundaries.records[--unpassed];
      return_address = passed->return_address;
    }
    if (!memory.readable(return_address, 4)) return false;
    switch (visit_call(memory, exception, frame, return_address, caller, out)) {
      case Outcome::kCaught:
        out.registers = passed ? &passed->registers : nullptr;
        out.boundaries_kept = unpassed;
        return true;
      case Outcome::kStop:
        return false;
      case Outcome::kPassed:
        break;
    }
    frame = caller;
  }
}

}  // namespace ql
