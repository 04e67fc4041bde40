// Linking code1 through code2: call chains patched to entry points or thunks, library and deferred imports.
#include "start/code2_linker.h"

#include <cstring>
#include <string_view>

#include "image/code2_records.h"
#include "image/image_format.h"
#include "platform/platform.h"
#include "values/entry_gate.h"

namespace ql::image {

namespace {

uint32_t read_u32(const uint8_t* p) {
  uint32_t value;
  std::memcpy(&value, p, 4);
  return value;
}

void write_u32(uint8_t* p, uint32_t value) { std::memcpy(p, &value, 4); }

bool names_equal_ignoring_case(std::string_view a, std::string_view b) {
  return platform::compare_string(true, a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size())) == 2;
}

bool next_thunk(LinkState& state, uint8_t*& thunk, std::string& failure) {
  if (state.thunk_count >= state.thunk_capacity) {
    failure = "the image needs more import thunks than its code2 announced";
    return false;
  }
  thunk = state.thunks + state.thunk_count++ * kThunkSize;
  std::memset(thunk, 0xCC, kThunkSize);
  return true;
}

// The address a call site jumps to for an entry point or a member: a fresh thunk that hands target to the
// entry gate, which keeps the caller's callee-saved registers for the frame walk.
bool gate_target(LinkState& state, uintptr_t target, uintptr_t& result, std::string& failure) {
  uint8_t* thunk;
  if (!next_thunk(state, thunk, failure)) return false;
  const uintptr_t gate = entry_gate_address();
  if constexpr (sizeof(void*) == 8) {
    // mov r11, target; jmp [rip + 0]; the gate's address.
    const uint64_t target_word = target, gate_word = gate;
    thunk[0] = 0x49;
    thunk[1] = 0xBB;
    std::memcpy(thunk + 2, &target_word, 8);
    static const uint8_t kJumpThroughNextQword[6] = {0xFF, 0x25, 0x00, 0x00, 0x00, 0x00};
    std::memcpy(thunk + 10, kJumpThroughNextQword, 6);
    std::memcpy(thunk + 16, &gate_word, 8);
  } else {
    // mov eax, target; jmp gate. A 32-bit displacement reaches every address.
    const uint32_t target_word = static_cast<uint32_t>(target);
    const uint32_t displacement = static_cast<uint32_t>(gate - (reinterpret_cast<uintptr_t>(thunk) + 10));
    thunk[0] = 0xB8;
    std::memcpy(thunk + 1, &target_word, 4);
    thunk[5] = 0xE9;
    std::memcpy(thunk + 6, &displacement, 4);
  }
  result = reinterpret_cast<uintptr_t>(thunk);
  return true;
}

// A library routine raises no language exception, so calls go straight to it: directly where a relative
// call reaches every address, else through a thunk that jumps on through an 8-byte address.
bool library_target(LinkState& state, uintptr_t target, uintptr_t& result, std::string& failure) {
  if constexpr (sizeof(void*) == 4) {
    result = target;
    return true;
  }
  uint8_t* thunk;
  if (!next_thunk(state, thunk, failure)) return false;
  static const uint8_t kJumpThroughNextQword[8] = {0xFF, 0x25, 0x02, 0x00, 0x00, 0x00, 0xCC, 0xCC};
  std::memcpy(thunk, kJumpThroughNextQword, 8);
  uint64_t address = target;
  std::memcpy(thunk + 8, &address, 8);
  result = reinterpret_cast<uintptr_t>(thunk);
  return true;
}

std::string damaged(const std::string& what) { return "The application image is damaged: " + what + "."; }

bool link_library_import(LinkState& state, std::string_view library_and_routine, uint32_t head,
                         std::string& failure) {
  size_t bang = library_and_routine.find('!');
  std::string library(library_and_routine.substr(0, bang));
  std::string routine(bang == std::string_view::npos ? std::string_view()
                                                     : library_and_routine.substr(bang + 1));
  void* module = nullptr;
  for (const LoadedLibrary& loaded : state.libraries) {
    if (names_equal_ignoring_case(loaded.name, library)) module = loaded.module;
  }
  if (!module) {
    module = platform::load_library(library.c_str());
    if (!module) {
      failure = "The application could not be loaded because a necessary shared library " + library +
                " could not be found.";
      return false;
    }
    state.libraries.push_back({library, module});
  }
  void* address = platform::library_routine(module, routine.c_str());
  if (!address) {
    failure = "The application could not be loaded because the routine " + routine +
              " could not be found in the shared library " + library + ".";
    return false;
  }
  uintptr_t target;
  return library_target(state, reinterpret_cast<uintptr_t>(address), target, failure) &&
         patch_chain(state, head, target, failure);
}

}  // namespace

bool patch_chain(LinkState& state, uint32_t head, uintptr_t target, std::string& failure) {
  std::vector<uint32_t> fields;
  std::string problem;
  if (!walk_call_chain(state.code1, state.code1_length, head, fields, problem)) {
    failure = damaged(problem);
    return false;
  }
  for (uint32_t field : fields) {
    uint8_t* site = state.code1 + field;
    int64_t displacement =
        static_cast<int64_t>(target) - static_cast<int64_t>(reinterpret_cast<uintptr_t>(site) + 4);
    if (displacement < INT32_MIN || displacement > INT32_MAX) {
      failure = damaged("the call at code1 offset " + std::to_string(field) + " cannot reach its target");
      return false;
    }
    write_u32(site, static_cast<uint32_t>(static_cast<int32_t>(displacement)));
  }
  return true;
}

bool link_code2(const uint8_t* code2, uint32_t length, LinkState& state, std::span<const EntryPoint> table,
                std::string& failure) {
  Code2Reader reader(code2, length);
  for (Code2Record record; reader.next(record);) {
    if (record.kind == kDataFixupRecord) {
      uint32_t offset = record.fixup_offset;
      if (offset > state.code1_length || state.code1_length - offset < 4) {
        failure = damaged("the data fixup at code1 offset " + std::to_string(offset) + " lies outside code1");
        return false;
      }
      write_u32(state.code1 + offset,
                read_u32(state.code1 + offset) + static_cast<uint32_t>(state.data1_address));
      continue;
    }
    std::string_view name = record.name;
    uint32_t head = record.chain_head;
    if (name.empty() || name[0] != '!') {
      const EntryPoint* entry = find_entry_point(table, name);
      if (!entry) {
        failure = "The application could not be loaded because the routine " + std::string(name) +
                  " could not be found among the runtime's entry points.";
        return false;
      }
      if (head == 0) continue;
      uintptr_t target;
      if (!gate_target(state, reinterpret_cast<uintptr_t>(entry->code), target, failure) ||
          !patch_chain(state, head, target, failure))
        return false;
    } else if (name.size() >= 2 && name[1] == 'X') {
      if (!link_library_import(state, name.substr(2), head, failure)) return false;
    } else {
      state.deferred.push_back({std::string(name.substr(1)), head});
    }
  }
  if (reader.damaged()) {
    failure = damaged(reader.problem());
    return false;
  }
  return true;
}

bool resolve_deferred_imports(LinkState& state, MemberLookup lookup, std::string& failure) {
  std::vector<DeferredImport> deferred;
  deferred.swap(state.deferred);
  for (const DeferredImport& import : deferred) {
    uintptr_t address = lookup(import.name);
    if (address == 0) {
      if (import.chain_head == 0) continue;
      failure = "The application could not be loaded because the member " + import.name.substr(1) +
                " could not be found.";
      return false;
    }
    uintptr_t target;
    if (!gate_target(state, address, target, failure) ||
        !patch_chain(state, import.chain_head, target, failure))
      return false;
  }
  return true;
}

}  // namespace ql::image
