// Where array elements live: the guarded allocator, lazy growth within the bound, slot widths.
#include <gtest/gtest.h>
#include <string.h>

#include "array_test_support.h"
#include "containers/array_access.h"
#include "containers/array_allocator.h"
#include "containers/array_record.h"

namespace ql {
namespace {

using testing::pool_outstanding;
using testing::TestArray;

TEST(GuardedAllocator, BlocksCarryTheirSizeAndGuardAndComeBackToThePool) {
  int64_t before = pool_outstanding();
  auto* block = static_cast<uint8_t*>(guarded_alloc(20));
  EXPECT_EQ(pool_outstanding() - before, 28);
  int32_t size;
  uint32_t guard;
  memcpy(&size, block - 8, 4);
  memcpy(&guard, block - 4, 4);
  EXPECT_EQ(size, 20);
  EXPECT_EQ(guard, kGuardLive);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % sizeof(void*), 0u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(block[i], 0) << i;
  EXPECT_TRUE(guarded_block_intact(block));

  guarded_free(block);
  EXPECT_EQ(pool_outstanding(), before);
  guarded_free(nullptr);
  EXPECT_EQ(pool_outstanding(), before);
}

TEST(GuardedAllocator, ABlockWhoseGuardIsDamagedIsLeftAloneRatherThanCorruptingThePool) {
  auto* block = static_cast<uint8_t*>(guarded_alloc(12));
  int64_t live = pool_outstanding();
  uint32_t damaged = 0x12345678;
  memcpy(block - 4, &damaged, 4);
  EXPECT_FALSE(guarded_block_intact(block));
  guarded_free(block);
  EXPECT_EQ(pool_outstanding(), live);  // not given back

  // Freed twice: the second free finds the guard gone and gives nothing back again.
  auto* other = guarded_alloc(12);
  guarded_free(other);
  int64_t after_one = pool_outstanding();
  guarded_free(other);
  EXPECT_EQ(pool_outstanding(), after_one);
  // The pool still hands out distinct blocks.
  void* a = guarded_alloc(12);
  void* b = guarded_alloc(12);
  EXPECT_NE(a, b);
  guarded_free(a);
  guarded_free(b);
}

TEST(ArrayStorage, DeclaringBoundsAllocatesNothingAndUnwrittenElementsReadNeutral) {
  int64_t before = pool_outstanding();
  {
    TestArray ints({10});
    EXPECT_EQ(ints->dimensions, 1);
    EXPECT_EQ(ints->bounds[0], 10);
    EXPECT_EQ(ints->bounds[1], -1);
    EXPECT_EQ(ints->top.storage, nullptr);
    EXPECT_EQ(upper_bound(ints.get()), 10);
    TestArray strings({10}, ElementKind::kString);
    TestArray objects({10}, ElementKind::kObject);
    for (int32_t i = 0; i <= 10; ++i) {
      auto n = direct_read<ElementKind::kInt>(ints.get(), i, 0);
      EXPECT_EQ(n.value, 0);
      EXPECT_EQ(n.verdict, Verdict::kDone);
      auto s = direct_read<ElementKind::kString>(strings.get(), i, 0);
      EXPECT_EQ(s.value, nullptr);
      EXPECT_EQ(s.verdict, Verdict::kDone);
      auto o = direct_read<ElementKind::kObject>(objects.get(), i, 0);
      EXPECT_EQ(o.value, nullptr);
      EXPECT_EQ(o.verdict, Verdict::kDone);
    }
    for (int32_t i : {11, -1, INT32_MIN, INT32_MAX}) {
      EXPECT_EQ(direct_read<ElementKind::kInt>(ints.get(), i, 0).verdict, Verdict::kRaise) << i;
      EXPECT_EQ(direct_read<ElementKind::kString>(strings.get(), i, 0).verdict, Verdict::kRaise) << i;
      EXPECT_EQ(direct_read<ElementKind::kObject>(objects.get(), i, 0).verdict, Verdict::kRaise) << i;
    }
    EXPECT_EQ(ints->top.storage, nullptr);
    EXPECT_EQ(strings->top.storage, nullptr);
  }
  EXPECT_EQ(pool_outstanding(), before);
}

TEST(ArrayStorage, DirectWritesGrowSixteenAheadButNeverBeyondTheBound) {
  TestArray a({100});
  EXPECT_EQ(direct_write<ElementKind::kInt>(a.get(), 3, 7, 0), Verdict::kDone);
  EXPECT_EQ(a->top.count, 19);
  EXPECT_EQ(direct_read<ElementKind::kInt>(a.get(), 3, 0).value, 7);
  EXPECT_EQ(direct_read<ElementKind::kInt>(a.get(), 18, 0).value, 0);
  EXPECT_EQ(direct_write<ElementKind::kInt>(a.get(), 95, 9, 0), Verdict::kDone);
  EXPECT_EQ(a->top.count, 101);
  EXPECT_LE(a->top.capacity, 101);
  EXPECT_EQ(direct_read<ElementKind::kInt>(a.get(), 3, 0).value, 7);
  EXPECT_EQ(direct_read<ElementKind::kInt>(a.get(), 95, 0).value, 9);
  EXPECT_EQ(direct_read<ElementKind::kInt>(a.get(), 50, 0).value, 0);

  // Out of bounds stores nothing.
  EXPECT_EQ(direct_write<ElementKind::kInt>(a.get(), 101, 1, 0), Verdict::kRaise);
  EXPECT_EQ(direct_write<ElementKind::kInt>(a.get(), -1, 1, 0), Verdict::kRaise);
  EXPECT_EQ(a->top.count, 101);

  TestArray untouched({100});
  EXPECT_EQ(direct_write<ElementKind::kInt>(untouched.get(), 101, 1, 0), Verdict::kRaise);
  EXPECT_EQ(untouched->top.storage, nullptr);
}

TEST(ArrayStorage, FillingALargeArrayInOrderReservesAheadWithinTheBound) {
  TestArray a({99999});
  int resizes = 0;
  const VectorStorage* storage = nullptr;
  const uint8_t* data = nullptr;
  for (int32_t i = 0; i <= 99999; ++i) {
    direct_write<ElementKind::kInt>(a.get(), i, i * 3, 0);
    if (a->top.storage != storage || a->top.storage->data != data) {
      ++resizes;
      storage = a->top.storage;
      data = storage->data;
    }
  }
  EXPECT_EQ(a->top.count, 100000);
  EXPECT_LE(a->top.capacity, 100000);
  EXPECT_LT(resizes, 40);
  for (int32_t i = 0; i <= 99999; i += 997)
    EXPECT_EQ(direct_read<ElementKind::kInt>(a.get(), i, 0).value, i * 3);
}

TEST(ArrayStorage, SinglesKeepSinglePrecisionAndDoublesWidenTheSlots) {
  TestArray singles({4});
  direct_write<ElementKind::kSingle>(singles.get(), 0, 0.1, 0);
  direct_write<ElementKind::kSingle>(singles.get(), 1, 1e300, 0);
  direct_write<ElementKind::kSingle>(singles.get(), 2, -1e300, 0);
  EXPECT_EQ(singles->top.element_size, 4);
  EXPECT_EQ(direct_read<ElementKind::kSingle>(singles.get(), 0, 0).value, static_cast<double>(0.1f));
  EXPECT_EQ(direct_read<ElementKind::kSingle>(singles.get(), 1, 0).value, __builtin_inf());
  EXPECT_EQ(direct_read<ElementKind::kSingle>(singles.get(), 2, 0).value, -__builtin_inf());

  TestArray doubles({40});
  direct_write<ElementKind::kDouble>(doubles.get(), 0, 0.1, 0);
  direct_write<ElementKind::kDouble>(doubles.get(), 40, -2.5, 0);
  EXPECT_EQ(doubles->top.element_size, 8);
  EXPECT_EQ(direct_read<ElementKind::kDouble>(doubles.get(), 0, 0).value, 0.1);
  EXPECT_EQ(direct_read<ElementKind::kDouble>(doubles.get(), 40, 0).value, -2.5);
  EXPECT_EQ(direct_read<ElementKind::kDouble>(doubles.get(), 39, 0).value, 0.0);

  // A vector written as integers and then used by a double operation keeps its values.
  TestArray mixed({3});
  direct_write<ElementKind::kInt>(mixed.get(), 1, 5, 0);
  direct_write<ElementKind::kDouble>(mixed.get(), 2, 1.5, 0);
  EXPECT_EQ(mixed->top.element_size, 8);
  EXPECT_EQ(direct_read<ElementKind::kInt>(mixed.get(), 1, 0).value, 5);
  EXPECT_EQ(direct_read<ElementKind::kDouble>(mixed.get(), 2, 0).value, 1.5);
}

TEST(ArrayStorage, BoundsAreDeclaredOncePerDimensionUpToTwenty) {
  TestArray a({});
  for (int32_t d = 0; d < kMaxDimensions; ++d) EXPECT_EQ(add_dimension(a.get(), 0, d), d);
  EXPECT_EQ(add_dimension(a.get(), 0, 5), -1);
  EXPECT_EQ(a->dimensions, kMaxDimensions);
  EXPECT_EQ(a->bounds[19], 19);
  EXPECT_EQ(add_dimension(nullptr, 0, 5), -1);
  EXPECT_EQ(upper_bound(nullptr), -1);

  // Once elements are stored, another bound would turn them into addresses of vectors.
  TestArray written({3});
  direct_write<ElementKind::kInt>(written.get(), 0, 1, 0);
  EXPECT_EQ(add_dimension(written.get(), 0, 3), -1);
  EXPECT_EQ(written->dimensions, 1);

  TestArray extreme({});
  add_dimension(extreme.get(), INT32_MIN, INT32_MAX);
  EXPECT_EQ(extreme->bounds[0], INT32_MAX);
}

}  // namespace
}  // namespace ql
