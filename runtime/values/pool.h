// The small-block pool behind string headers, string buffers and the runtime's other small records.
// Requests up to 252 bytes are served from per-size free lists and 8192-byte chunks; larger ones go to the
// general heap. Every request and give-back runs under the pool's critical section.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/platform.h"
#include "values/invariant.h"

#ifdef QL_CHECK_INVARIANTS
#include <unordered_map>
#endif

namespace ql {

// Where chunks and large blocks come from. Tests substitute one that can run dry.
struct PoolHeap {
  void* (*alloc)(void* context, size_t n);
  void (*free)(void* context, void* p);
  void* context;
};
PoolHeap platform_pool_heap();

enum class PoolNeed { kMustSucceed, kMayFail };

class SmallBlockPool {
 public:
  static constexpr int32_t kWordBytes = 4;
  static constexpr int32_t kLargeWords = 64;  // requests of this many words or more bypass the pool
  static constexpr int32_t kChunkBytes = 8192;
  // A chunk begins with the link to the previous chunk; blocks are cut from the rest.
  static constexpr int32_t kChunkLinkBytes = sizeof(void*);
  static constexpr int32_t kBlockAlignment = sizeof(void*);

  explicit SmallBlockPool(PoolHeap heap = platform_pool_heap());
  ~SmallBlockPool();  // returns every chunk to the heap; only for pools whose blocks are all dead
  SmallBlockPool(const SmallBlockPool&) = delete;
  SmallBlockPool& operator=(const SmallBlockPool&) = delete;

  // n <= 0 yields null. A must-succeed request the heap cannot serve ends the process.
  void* request(int32_t n, PoolNeed need);
  // n must be the size the block was requested with.
  void give_back(void* block, int32_t n);
  // Two requests under one hold of the lock: a may-fail one of first_n bytes and, only when that one is
  // granted, a must-succeed one of second_n bytes. False when the first is refused (nothing is granted).
  bool request_pair(int32_t first_n, void*& first, int32_t second_n, void*& second);
  // Two give-backs under one hold of the lock.
  void give_back_pair(void* first, int32_t first_n, void* second, int32_t second_n);
  int64_t bytes_outstanding();
  // Serves later chunk and large-block requests from heap; blocks already out must stay valid for its free.
  PoolHeap replace_heap(PoolHeap heap);

  // Bytes a small request of n bytes occupies in a chunk: whole words, padded to pointer alignment.
  static constexpr int32_t block_bytes(int32_t n) {
    int32_t words = (n + kWordBytes - 1) / kWordBytes;
    return (words * kWordBytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
  }

 private:
  void* cut_from_chunk(int32_t words);
  void* take(int32_t n);             // with the lock held
  void put(void* block, int32_t n);  // with the lock held
  [[noreturn]] void fail();

  platform::CriticalSection lock_;
  PoolHeap heap_;
  void* free_lists_[kLargeWords] = {};
  uint8_t* chunk_next_ = nullptr;
  uint8_t* chunk_end_ = nullptr;
  void* last_chunk_ = nullptr;
  int64_t bytes_outstanding_ = 0;
  // The size each block out was requested with, for the check that it comes back with that size.
  QL_IF_CHECKING_INVARIANTS(std::unordered_map<const void*, int32_t> requested_sizes_;)
};

// The process-wide pool, created on first use and never destroyed (strings may outlive static objects).
SmallBlockPool& process_pool();

inline void* pool_alloc(int32_t n) { return process_pool().request(n, PoolNeed::kMustSucceed); }
inline void* pool_try_alloc(int32_t n) { return process_pool().request(n, PoolNeed::kMayFail); }
inline void pool_free(void* block, int32_t n) { process_pool().give_back(block, n); }

}  // namespace ql
