// The guarded allocator behind arrays' records: pool blocks behind a size word and a guard word.
#include "containers/array_allocator.h"

#include <string.h>

#include "values/fatal.h"
#include "values/pool.h"

namespace ql {

namespace {

struct GuardedPrefix {
  int32_t size;
  uint32_t guard;
};
static_assert(sizeof(GuardedPrefix) == kGuardedPrefixBytes);

GuardedPrefix* prefix_of(const void* block) {
  return reinterpret_cast<GuardedPrefix*>(const_cast<uint8_t*>(static_cast<const uint8_t*>(block)) -
                                          kGuardedPrefixBytes);
}

}  // namespace

void* guarded_alloc(int32_t n) {
  if (n < 0 || n > INT32_MAX - kGuardedPrefixBytes) fatal_out_of_memory();
  auto* prefix = static_cast<GuardedPrefix*>(pool_alloc(n + kGuardedPrefixBytes));
  prefix->size = n;
  prefix->guard = kGuardLive;
  void* block = prefix + 1;
  memset(block, 0, static_cast<size_t>(n));
  return block;
}

void guarded_free(void* block) {
  if (!block) return;
  GuardedPrefix* prefix = prefix_of(block);
  if (prefix->guard != kGuardLive) {
    report_assertion(kConsistencyCheck, "dump", 64);
    return;
  }
  prefix->guard = kGuardFreed;
  pool_free(prefix, prefix->size + kGuardedPrefixBytes);
}

bool guarded_block_intact(const void* block) { return block && prefix_of(block)->guard == kGuardLive; }

}  // namespace ql
