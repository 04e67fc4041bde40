// The small-block pool: size classes with free lists, 8192-byte chunks, and large blocks from the heap.
#include "values/pool.h"

#include <new>

#include "values/fatal.h"

namespace ql {

namespace {
void* platform_alloc(void*, size_t n) { return platform::heap_alloc(n); }
void platform_free(void*, void* p) { platform::heap_free(p); }

// Requests arrive as signed 32-bit sizes; widen before rounding so the largest ones cannot overflow.
int64_t words_for(int32_t n) {
  return (static_cast<int64_t>(n) + SmallBlockPool::kWordBytes - 1) / SmallBlockPool::kWordBytes;
}

// Leaves the critical section on every way out of a request; a fatal ending comes only after it.
class Hold {
 public:
  explicit Hold(platform::CriticalSection& lock) : lock_(lock) { lock_.enter(); }
  ~Hold() { lock_.leave(); }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  platform::CriticalSection& lock_;
};
}  // namespace

PoolHeap platform_pool_heap() { return {platform_alloc, platform_free, nullptr}; }

SmallBlockPool::SmallBlockPool(PoolHeap heap) : heap_(heap) {}

SmallBlockPool::~SmallBlockPool() {
  while (last_chunk_) {
    void* previous = *static_cast<void**>(last_chunk_);
    heap_.free(heap_.context, last_chunk_);
    last_chunk_ = previous;
  }
}

void SmallBlockPool::fail() {
  // The lock is already released: the fatal path may show a message that needs memory.
  fatal_out_of_memory();
}

void* SmallBlockPool::take(int32_t n) {
  int64_t words = words_for(n);
  void* block;
  if (words >= kLargeWords) {
    block = heap_.alloc(heap_.context, static_cast<size_t>(n));
  } else if (void* head = free_lists_[words]) {
    free_lists_[words] = *static_cast<void**>(head);
    block = head;
  } else {
    block = cut_from_chunk(static_cast<int32_t>(words));
  }
  if (block) bytes_outstanding_ += n;
  QL_IF_CHECKING_INVARIANTS(if (block) requested_sizes_[block] = n;)
  return block;
}

void* SmallBlockPool::request(int32_t n, PoolNeed need) {
  if (n <= 0) return nullptr;
  void* block;
  {
    Hold hold(lock_);
    block = take(n);
  }
  if (!block && need == PoolNeed::kMustSucceed) fail();
  return block;
}

bool SmallBlockPool::request_pair(int32_t first_n, void*& first, int32_t second_n, void*& second) {
  first = second = nullptr;
  {
    Hold hold(lock_);
    if (first_n > 0 && !(first = take(first_n))) return false;
    if (second_n > 0) second = take(second_n);
  }
  if (second_n > 0 && !second) fail();
  return true;
}

void* SmallBlockPool::cut_from_chunk(int32_t words) {
  const int32_t size = block_bytes(words * kWordBytes);
  if (chunk_end_ - chunk_next_ < size) {
    void* chunk = heap_.alloc(heap_.context, kChunkBytes);
    if (!chunk) return nullptr;
    *static_cast<void**>(chunk) = last_chunk_;
    last_chunk_ = chunk;
    chunk_next_ = static_cast<uint8_t*>(chunk) + kChunkLinkBytes;
    chunk_end_ = static_cast<uint8_t*>(chunk) + kChunkBytes;
  }
  void* block = chunk_next_;
  chunk_next_ += size;
  return block;
}

void SmallBlockPool::put(void* block, int32_t n) {
  if (!block || n <= 0) return;
#ifdef QL_CHECK_INVARIANTS
  auto requested = requested_sizes_.find(block);
  QL_INVARIANT(requested != requested_sizes_.end(), "a block goes back to the pool it came from, once");
  QL_INVARIANT(requested->second == n, "a block goes back to the pool with the size it was requested with");
  requested_sizes_.erase(requested);
#endif
  int64_t words = words_for(n);
  bytes_outstanding_ -= n;
  if (words >= kLargeWords) {
    heap_.free(heap_.context, block);
    return;
  }
  *static_cast<void**>(block) = free_lists_[words];
  free_lists_[words] = block;
}

void SmallBlockPool::give_back(void* block, int32_t n) {
  Hold hold(lock_);
  put(block, n);
}

void SmallBlockPool::give_back_pair(void* first, int32_t first_n, void* second, int32_t second_n) {
  Hold hold(lock_);
  put(first, first_n);
  put(second, second_n);
}

int64_t SmallBlockPool::bytes_outstanding() {
  Hold hold(lock_);
  return bytes_outstanding_;
}

PoolHeap SmallBlockPool::replace_heap(PoolHeap heap) {
  Hold hold(lock_);
  PoolHeap old = heap_;
  heap_ = heap;
  return old;
}

SmallBlockPool& process_pool() {
  alignas(SmallBlockPool) static unsigned char storage[sizeof(SmallBlockPool)];
  static SmallBlockPool* const pool = new (storage) SmallBlockPool();
  return *pool;
}

}  // namespace ql
