// The table of named entry points through which compiled code and plug-ins reach the runtime.
#pragma once

#include <stdint.h>

#include <span>
#include <string_view>

namespace ql {

struct EntryPoint {
  const char* name;  // null for an empty slot
  void* code;
  uint32_t reserved[2];
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(EntryPoint) == 16, "entry-point slots are 16 bytes on 32-bit targets");
#endif

constexpr int kEntryPointSlots = 1118;

// The runtime's own table, every slot in order; empty slots are zero.
std::span<const EntryPoint> entry_point_table();

// The first slot whose name equals name without regard to case, or null.
const EntryPoint* find_entry_point(std::span<const EntryPoint> table, std::string_view name);

// The address of the runtime's entry point of that name, or null: what plug-ins look routines up by.
void* entry_point_address(std::string_view name);

}  // namespace ql
