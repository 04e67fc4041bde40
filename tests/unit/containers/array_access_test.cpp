// Reading and writing array elements through the access walk, and the references slots hold.
#include "containers/array_access.h"

#include <gtest/gtest.h>

#include "array_test_support.h"
#include "unit/values/string_test_support.h"

namespace ql {
namespace {

using testing::CountedObjects;
using testing::make;
using testing::TestArray;
using testing::text;

constexpr auto kInt = ElementKind::kInt;
constexpr auto kString = ElementKind::kString;
constexpr auto kObject = ElementKind::kObject;

// a(i, j) read and written as compiled code does it: a start call, then the element call.
template <ElementKind K>
Checked<ElementValue<K>> read2(QlArray* a, int32_t i, int32_t j) {
  if (start_read_access(a, i) == Verdict::kRaise) return {{}, Verdict::kRaise};
  return walk_read<K>(a, j);
}

template <ElementKind K>
Verdict write2(QlArray* a, int32_t i, int32_t j, ElementValue<K> value) {
  if (start_write_access(a, i) == Verdict::kRaise) return Verdict::kRaise;
  return walk_write<K>(a, j, value);
}

TEST(ArrayWalk, TwoDimensionalReadsBeforeAnyWriteAreEmptyAndWritesMakeOnlyTheirPath) {
  TestArray a({40, 10}, kString);
  auto before = read2<kString>(a.get(), 5, 7);
  EXPECT_EQ(before.verdict, Verdict::kDone);
  EXPECT_EQ(before.value, nullptr);
  EXPECT_EQ(a->top.storage, nullptr);

  StringRef hello = make("hello");
  EXPECT_EQ(write2<kString>(a.get(), 5, 7, hello.get()), Verdict::kDone);
  EXPECT_EQ(hello.get()->count, 2);
  EXPECT_EQ(a->top.count, 6);
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(child_vector(a->top, i), nullptr) << i;
  Vector* row = child_vector(a->top, 5);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->count, 8);

  StringRef got(read2<kString>(a.get(), 5, 7).value);
  EXPECT_EQ(got.get(), hello.get());
  EXPECT_EQ(hello.get()->count, 3);
  EXPECT_EQ(read2<kString>(a.get(), 5, 6).value, nullptr);
  EXPECT_EQ(read2<kString>(a.get(), 4, 7).value, nullptr);
  EXPECT_EQ(read2<kString>(a.get(), 40, 0).verdict, Verdict::kDone);
  EXPECT_EQ(read2<kString>(a.get(), 41, 0).verdict, Verdict::kRaise);
  EXPECT_EQ(read2<kString>(a.get(), 0, 11).verdict, Verdict::kRaise);  // strings check on an unwritten path
  EXPECT_EQ(read2<kString>(a.get(), 5, 11).verdict, Verdict::kRaise);
}

TEST(ArrayWalk, NumbersCheckTheLastIndexOnlyAlongAWrittenPath) {
  TestArray a({3, 4});
  EXPECT_EQ(read2<kInt>(a.get(), 1, 99).verdict, Verdict::kDone);  // nothing at row 1 yet
  EXPECT_EQ(read2<kInt>(a.get(), 1, 99).value, 0);
  EXPECT_EQ(write2<kInt>(a.get(), 2, 4, 42), Verdict::kDone);
  EXPECT_EQ(read2<kInt>(a.get(), 2, 4).value, 42);
  EXPECT_EQ(read2<kInt>(a.get(), 2, 5).verdict, Verdict::kRaise);
  EXPECT_EQ(read2<kInt>(a.get(), 2, -1).verdict, Verdict::kRaise);

  // An index out of bounds stores nothing and leaves the rows as they were.
  EXPECT_EQ(write2<kInt>(a.get(), 2, 5, 1), Verdict::kRaise);
  EXPECT_EQ(write2<kInt>(a.get(), 4, 0, 1), Verdict::kRaise);
  EXPECT_EQ(a->top.count, 3);
  EXPECT_EQ(child_vector(a->top, 2)->count, 5);
}

TEST(ArrayWalk, ThreeDimensionsWalkLevelByLevel) {
  TestArray a({2, 3, 4});
  auto write3 = [&](int32_t i, int32_t j, int32_t k, int32_t value) {
    if (start_write_access(a.get(), i) == Verdict::kRaise) return Verdict::kRaise;
    if (add_write_index(a.get(), j) == Verdict::kRaise) return Verdict::kRaise;
    return walk_write<kInt>(a.get(), k, value);
  };
  auto read3 = [&](int32_t i, int32_t j, int32_t k) -> Checked<int32_t> {
    if (start_read_access(a.get(), i) == Verdict::kRaise) return {0, Verdict::kRaise};
    if (add_read_index(a.get(), j) == Verdict::kRaise) return {0, Verdict::kRaise};
    return walk_read<kInt>(a.get(), k);
  };
  for (int32_t i = 0; i <= 2; ++i)
    for (int32_t j = 0; j <= 3; ++j)
      for (int32_t k = 0; k <= 4; ++k) {
        if ((i + j + k) % 3 == 0) {
          EXPECT_EQ(write3(i, j, k, 100 * i + 10 * j + k), Verdict::kDone);
        }
      }
  for (int32_t i = 0; i <= 2; ++i)
    for (int32_t j = 0; j <= 3; ++j)
      for (int32_t k = 0; k <= 4; ++k) {
        EXPECT_EQ(read3(i, j, k).value, (i + j + k) % 3 == 0 ? 100 * i + 10 * j + k : 0) << i << j << k;
      }
  EXPECT_EQ(write3(0, 4, 0, 1), Verdict::kRaise);
  EXPECT_EQ(read3(0, 4, 0).verdict, Verdict::kRaise);  // the path exists up to row 0
  EXPECT_EQ(read3(0, 0, 5).verdict, Verdict::kRaise);

  // Where a path was never written the middle index is not looked at.
  TestArray empty({2, 3, 4});
  ASSERT_EQ(start_read_access(empty.get(), 1), Verdict::kDone);
  EXPECT_EQ(add_read_index(empty.get(), 99), Verdict::kDone);
  EXPECT_EQ(walk_read<kInt>(empty.get(), 2).value, 0);
}

TEST(ArrayWalk, WalksThatDoNotFitTheArraysShapeRaiseInsteadOfMisreadingSlots) {
  TestArray flat({5});
  EXPECT_EQ(start_read_access(flat.get(), 1), Verdict::kRaise);
  EXPECT_EQ(start_write_access(flat.get(), 1), Verdict::kRaise);
  EXPECT_EQ(flat->top.storage, nullptr);

  TestArray square({3, 3});
  ASSERT_EQ(start_write_access(square.get(), 1), Verdict::kDone);
  EXPECT_EQ(add_write_index(square.get(), 1), Verdict::kRaise);  // a third index of a two-dimensional array
  ASSERT_EQ(start_read_access(square.get(), 1), Verdict::kDone);
  EXPECT_EQ(add_read_index(square.get(), 1), Verdict::kRaise);

  TestArray cube({3, 3, 3});
  ASSERT_EQ(start_write_access(cube.get(), 1), Verdict::kDone);
  EXPECT_EQ(walk_write<kInt>(cube.get(), 1, 5), Verdict::kRaise);  // one index too few
  ASSERT_EQ(start_read_access(cube.get(), 1), Verdict::kDone);
  EXPECT_EQ(walk_read<kInt>(cube.get(), 1).verdict, Verdict::kRaise);

  // The direct operations refuse arrays of several dimensions, whose top level holds vectors.
  EXPECT_EQ(direct_read<kInt>(square.get(), 1, 0).verdict, Verdict::kRaise);
  EXPECT_EQ(direct_write<kInt>(square.get(), 1, 7, 0), Verdict::kRaise);
  EXPECT_EQ(direct_read<kString>(square.get(), 1, 0).verdict, Verdict::kRaise);

  EXPECT_EQ(start_read_access(nullptr, 0), Verdict::kDone);
  EXPECT_EQ(walk_read<kInt>(nullptr, 0).value, 0);
  EXPECT_EQ(direct_read<kString>(nullptr, 0, 882).value, nullptr);
  EXPECT_EQ(direct_write<kString>(nullptr, 0, nullptr, 1023), Verdict::kDone);
}

TEST(ArrayElements, StringAndObjectSlotsHoldOneReferenceEach) {
  CountedObjects objects;
  {
    TestArray strings({3}, kString);
    StringRef first = make("first"), second = make("second");
    direct_write<kString>(strings.get(), 1, first.get(), 0);
    EXPECT_EQ(first.get()->count, 2);
    direct_write<kString>(strings.get(), 1, second.get(), 0);
    EXPECT_EQ(first.get()->count, 1);
    EXPECT_EQ(second.get()->count, 2);
    direct_write<kString>(strings.get(), 1, second.get(), 0);
    EXPECT_EQ(second.get()->count, 2);
    EXPECT_EQ(text(StringRef(direct_read<kString>(strings.get(), 1, 0).value).get()), "second");
    EXPECT_EQ(second.get()->count, 2);
    direct_write<kString>(strings.get(), 1, nullptr, 0);
    EXPECT_EQ(second.get()->count, 1);

    TestArray items({3}, kObject);
    QlObject* item = objects.make();
    direct_write<kObject>(items.get(), 0, item, 0);
    direct_write<kObject>(items.get(), 3, item, 0);
    EXPECT_EQ(CountedObjects::count_of(item), 3);
    QlObject* read = direct_read<kObject>(items.get(), 3, 0).value;
    EXPECT_EQ(read, item);
    EXPECT_EQ(CountedObjects::count_of(item), 4);
    release_object(read);
    direct_write<kObject>(items.get(), 0, nullptr, 0);
    EXPECT_EQ(CountedObjects::count_of(item), 2);
    release_object(item);
    EXPECT_EQ(CountedObjects::destroyed(), 0);  // the array still holds it
  }
  EXPECT_EQ(CountedObjects::destroyed(), 1);  // given back when the array was disposed of
}

TEST(ArrayElements, DisposingANestedArrayReleasesEveryLevelAndElement) {
  CountedObjects objects;
  StringRef kept = make("kept");
  int64_t before = testing::pool_outstanding();
  {
    TestArray words({4, 4, 4}, kString);
    for (int32_t i : {0, 2, 4}) {
      start_write_access(words.get(), i);
      add_write_index(words.get(), i);
      walk_write<kString>(words.get(), i, kept.get());
    }
    EXPECT_EQ(kept.get()->count, 4);
    TestArray things({2, 2}, kObject);
    QlObject* thing = objects.make();
    write2<kObject>(things.get(), 1, 1, thing);
    write2<kObject>(things.get(), 2, 0, thing);
    release_object(thing);
  }
  EXPECT_EQ(kept.get()->count, 1);
  EXPECT_EQ(CountedObjects::destroyed(), 1);
  EXPECT_EQ(testing::pool_outstanding(), before);
}

}  // namespace
}  // namespace ql
