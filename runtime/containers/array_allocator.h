// The guarded allocator: small records from the pool with a size word and a guard word in front, so that
// a record freed twice, or freed through a stray pointer, is caught instead of corrupting the pool. Arrays,
// their vectors and the runtime's internal lists come from here.
#pragma once

#include <stdint.h>

namespace ql {

inline constexpr uint32_t kGuardLive = 0xDEADBEEF;
inline constexpr uint32_t kGuardFreed = 0xDEADDEAD;
// The size word and the guard word; keeps the caller's block pointer-aligned on every target.
inline constexpr int32_t kGuardedPrefixBytes = 8;

// n bytes, zeroed, as a must-succeed request: exhausted memory ends the process.
void* guarded_alloc(int32_t n);
// Null is ignored. A block whose guard is not intact is reported and left alone: giving it back with a
// size read from a damaged or already freed prefix would corrupt the pool.
void guarded_free(void* block);
// Whether block still carries the guard of a live record.
bool guarded_block_intact(const void* block);

}  // namespace ql
