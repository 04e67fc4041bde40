// Linking code1 through code2's records: call chains, data fixups, library imports and deferred imports.
#pragma once

#include <stdint.h>

#include <span>
#include <string>
#include <vector>

#include "start/entry_point_table.h"

namespace ql::image {

struct DeferredImport {
  std::string name;  // without its "!"
  uint32_t chain_head;
};

struct LoadedLibrary {
  std::string name;
  void* module;
};

// The loaded code and everything linking learns about it. Calls to entry points and members reach them
// through thunks in the thunk area that pass the entry gate (values/entry_gate.h); with 8-byte pointers
// library routines too are reached through thunks, so that call sites stay 5-byte relative calls.
struct LinkState {
  uint8_t* code1 = nullptr;
  uint32_t code1_length = 0;
  uintptr_t data1_address = 0;
  uint8_t* thunks = nullptr;
  uint32_t thunk_capacity = 0;
  uint32_t thunk_count = 0;
  std::vector<DeferredImport> deferred;
  std::vector<LoadedLibrary> libraries;
};

// Walks code2 from the start. On failure, failure holds the text to show the user.
bool link_code2(const uint8_t* code2, uint32_t length, LinkState& state, std::span<const EntryPoint> table,
                std::string& failure);

// Writes target into every displacement field of the chain starting at head; 0 patches nothing.
bool patch_chain(LinkState& state, uint32_t head, uintptr_t target, std::string& failure);

// Empties the deferred list, patching each chain with what lookup answers for the name's member. A member
// that nothing matches is refused with failure set when the code calls it (a call to address 0 would
// crash); one that is imported but never called patches nothing.
using MemberLookup = uintptr_t (*)(const std::string& name);
bool resolve_deferred_imports(LinkState& state, MemberLookup lookup, std::string& failure);

}  // namespace ql::image
