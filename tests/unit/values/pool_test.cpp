// The small-block pool: size classes, chunks, large blocks, counting, exhausted heaps.
#include "values/pool.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace ql {
namespace {

// A heap that records what the pool asks of it and can be told to run dry.
struct TestHeap {
  bool dry = false;
  std::vector<size_t> requests;
  std::set<void*> live;

  PoolHeap as_pool_heap() { return {&TestHeap::alloc, &TestHeap::free, this}; }
  static void* alloc(void* context, size_t n) {
    auto* heap = static_cast<TestHeap*>(context);
    heap->requests.push_back(n);
    if (heap->dry) return nullptr;
    void* p = platform::heap_alloc(n);
    heap->live.insert(p);
    return p;
  }
  static void free(void* context, void* p) {
    auto* heap = static_cast<TestHeap*>(context);
    EXPECT_EQ(heap->live.erase(p), 1u) << "freed a block the heap never gave";
    platform::heap_free(p);
  }
};

uintptr_t address(void* p) { return reinterpret_cast<uintptr_t>(p); }

TEST(SmallBlockPool, RequestsRoundToWordClassesAndReuseFreedBlocks) {
  TestHeap heap;
  SmallBlockPool pool(heap.as_pool_heap());
  EXPECT_EQ(pool.request(0, PoolNeed::kMustSucceed), nullptr);
  EXPECT_EQ(pool.request(-5, PoolNeed::kMayFail), nullptr);
  EXPECT_TRUE(heap.requests.empty());

  // 1 to 4 bytes are one class: a freed 1-byte block serves a 4-byte request, not a 5-byte one.
  void* one = pool.request(1, PoolNeed::kMustSucceed);
  pool.give_back(one, 1);
  void* five = pool.request(5, PoolNeed::kMustSucceed);
  EXPECT_NE(five, one);
  EXPECT_EQ(pool.request(4, PoolNeed::kMustSucceed), one);

  // Free lists are last in, first out, per class.
  void* a = pool.request(100, PoolNeed::kMustSucceed);
  void* b = pool.request(97, PoolNeed::kMustSucceed);
  pool.give_back(a, 100);
  pool.give_back(b, 97);
  EXPECT_EQ(pool.request(99, PoolNeed::kMustSucceed), b);
  EXPECT_EQ(pool.request(98, PoolNeed::kMustSucceed), a);
  EXPECT_EQ(heap.requests, std::vector<size_t>{SmallBlockPool::kChunkBytes});

  // Blocks are pointer-aligned and do not overlap.
  EXPECT_EQ(address(five) % alignof(void*), 0u);
  EXPECT_GE(address(a) > address(b) ? address(a) - address(b) : address(b) - address(a),
            static_cast<uintptr_t>(SmallBlockPool::block_bytes(100)));
}

TEST(SmallBlockPool, CutsBlocksFromChunksAndAbandonsTheTailThatIsTooSmall) {
  TestHeap heap;
  SmallBlockPool pool(heap.as_pool_heap());
  const int32_t size = SmallBlockPool::block_bytes(252);
  const int32_t per_chunk = (SmallBlockPool::kChunkBytes - SmallBlockPool::kChunkLinkBytes) / size;
  std::vector<void*> blocks;
  for (int i = 0; i < per_chunk; ++i) blocks.push_back(pool.request(252, PoolNeed::kMustSucceed));
  ASSERT_EQ(heap.requests.size(), 1u);
  for (int i = 1; i < per_chunk; ++i) EXPECT_EQ(address(blocks[i]) - address(blocks[i - 1]), uintptr_t(size));

  // The tail left over is smaller than one more block: a new chunk is taken, even though small
  // requests would still fit the old one's tail afterwards.
  void* next = pool.request(252, PoolNeed::kMustSucceed);
  EXPECT_EQ(heap.requests.size(), 2u);
  EXPECT_TRUE(address(next) < address(blocks[0]) || address(next) > address(blocks.back()));
  void* small = pool.request(4, PoolNeed::kMustSucceed);
  EXPECT_EQ(address(small), address(next) + size);
  EXPECT_EQ(heap.requests.size(), 2u);
}

TEST(SmallBlockPool, LargeBlocksComeFromTheHeapAndGoBackToIt) {
  TestHeap heap;
  SmallBlockPool pool(heap.as_pool_heap());
  void* largest_small = pool.request(252, PoolNeed::kMustSucceed);
  EXPECT_EQ(heap.requests, std::vector<size_t>{SmallBlockPool::kChunkBytes});

  void* large = pool.request(253, PoolNeed::kMustSucceed);
  ASSERT_EQ(heap.requests.size(), 2u);
  EXPECT_EQ(heap.requests[1], 253u);
  EXPECT_EQ(heap.live.count(large), 1u);
  pool.give_back(large, 253);
  EXPECT_EQ(heap.live.count(large), 0u);

  // A large block given back is not kept: the next large request asks the heap again.
  void* first = pool.request(4000, PoolNeed::kMayFail);
  pool.give_back(first, 4000);
  void* second = pool.request(4000, PoolNeed::kMayFail);
  EXPECT_EQ(heap.requests.size(), 4u);
  pool.give_back(second, 4000);
  pool.give_back(largest_small, 252);
  EXPECT_EQ(heap.live.size(), 1u);  // only the chunk: small blocks never return to the heap
}

TEST(SmallBlockPool, CountsTheBytesOutstanding) {
  TestHeap heap;
  SmallBlockPool pool(heap.as_pool_heap());
  void* a = pool.request(10, PoolNeed::kMustSucceed);
  void* b = pool.request(300, PoolNeed::kMustSucceed);
  EXPECT_EQ(pool.bytes_outstanding(), 310);
  pool.give_back(a, 10);
  EXPECT_EQ(pool.bytes_outstanding(), 300);
  pool.give_back(b, 300);
  pool.give_back(nullptr, 8);
  EXPECT_EQ(pool.bytes_outstanding(), 0);
  heap.dry = true;
  EXPECT_EQ(pool.request(1000, PoolNeed::kMayFail), nullptr);
  EXPECT_EQ(pool.bytes_outstanding(), 0);  // a refused request is not counted
}

TEST(SmallBlockPool, MayFailRequestsAnswerNullWhenTheHeapIsExhausted) {
  TestHeap heap;
  heap.dry = true;
  SmallBlockPool pool(heap.as_pool_heap());
  EXPECT_EQ(pool.request(16, PoolNeed::kMayFail), nullptr);
  EXPECT_EQ(pool.request(253, PoolNeed::kMayFail), nullptr);
  // The largest request is widened before rounding and reaches the heap intact.
  EXPECT_EQ(pool.request(INT32_MAX, PoolNeed::kMayFail), nullptr);
  EXPECT_EQ(heap.requests.back(), static_cast<size_t>(INT32_MAX));

  // Blocks already on a free list are still served while the heap is dry.
  heap.dry = false;
  void* block = pool.request(16, PoolNeed::kMayFail);
  ASSERT_NE(block, nullptr);
  pool.give_back(block, 16);
  heap.dry = true;
  EXPECT_EQ(pool.request(13, PoolNeed::kMayFail), block);

  // The lock was left on the failing path: another request still goes through.
  EXPECT_EQ(pool.request(300, PoolNeed::kMayFail), nullptr);
  pool.give_back(block, 13);
  EXPECT_EQ(pool.request(16, PoolNeed::kMustSucceed), block);
}

TEST(SmallBlockPool, PairedRequestsGrantTheSecondOnlyAfterTheFirst) {
  TestHeap heap;
  SmallBlockPool pool(heap.as_pool_heap());
  void *first = nullptr, *second = nullptr;
  ASSERT_TRUE(pool.request_pair(300, first, 24, second));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(heap.requests, (std::vector<size_t>{300, SmallBlockPool::kChunkBytes}));
  EXPECT_EQ(pool.bytes_outstanding(), 324);
  pool.give_back_pair(first, 300, second, 24);
  EXPECT_EQ(pool.bytes_outstanding(), 0);
  EXPECT_EQ(heap.live.size(), 1u);  // the large block went back to the heap
  EXPECT_EQ(pool.request(24, PoolNeed::kMustSucceed), second);

  heap.dry = true;
  void* kept = &heap;
  first = second = kept;
  EXPECT_FALSE(pool.request_pair(400, first, 24, second));
  EXPECT_EQ(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(pool.bytes_outstanding(), 24);  // nothing granted
}

TEST(SmallBlockPoolDeathTest, MustSucceedRequestsEndTheProcessWhenTheHeapIsExhausted) {
  TestHeap heap;
  heap.dry = true;
  SmallBlockPool pool(heap.as_pool_heap());
  EXPECT_EXIT(pool.request(16, PoolNeed::kMustSucceed), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(pool.request(1000, PoolNeed::kMustSucceed), ::testing::ExitedWithCode(0), "");
  // The second of a pair is must-succeed: a granted first block does not save it.
  heap.dry = false;
  void* first = pool.request(16, PoolNeed::kMustSucceed);
  pool.give_back(first, 16);
  heap.dry = true;
  void* second = nullptr;
  EXPECT_EXIT(pool.request_pair(16, first, 2000, second), ::testing::ExitedWithCode(0), "");
}

TEST(SmallBlockPool, ProcessPoolServesAndCounts) {
  SmallBlockPool& pool = process_pool();
  EXPECT_EQ(&pool, &process_pool());
  int64_t before = pool.bytes_outstanding();
  void* small = pool_alloc(24);
  void* large = pool_try_alloc(1024);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(pool.bytes_outstanding(), before + 1048);
  pool_free(small, 24);
  pool_free(large, 1024);
  EXPECT_EQ(pool.bytes_outstanding(), before);
}

#ifdef QL_CHECK_INVARIANTS
// The host's test build checks that every block comes back once and with the size it was asked for, which
// the pool itself cannot see: a wrong size files the block in another class.
TEST(SmallBlockPool, GivingBackWithAnotherSizeBreaksAnInvariant) {
  TestHeap heap;
  SmallBlockPool pool(heap.as_pool_heap());
  void* block = pool.request(40, PoolNeed::kMustSucceed);
  EXPECT_DEATH(pool.give_back(block, 48), "invariant broken: a block goes back to the pool with the size");
  pool.give_back(block, 40);
  EXPECT_DEATH(pool.give_back(block, 40),
               "invariant broken: a block goes back to the pool it came from, once");
}
#endif

}  // namespace
}  // namespace ql
