// Append, Insert, Remove and Redim of arrays, and the references they release.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "array_test_support.h"
#include "containers/array_access.h"
#include "containers/array_shape.h"
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

std::vector<int32_t> ints_of(QlArray* a) {
  std::vector<int32_t> values;
  for (int32_t i = 0; i <= a->bounds[0]; ++i) values.push_back(direct_read<kInt>(a, i, 0).value);
  return values;
}

std::vector<std::string> texts_of(QlArray* a) {
  std::vector<std::string> values;
  for (int32_t i = 0; i <= a->bounds[0]; ++i) {
    values.push_back(text(StringRef(direct_read<kString>(a, i, 0).value).get()));
  }
  return values;
}

TEST(ArrayResize, AppendExtendsTheBoundAndInsertTakesOnlyPositionsUpToIt) {
  TestArray a({-1});
  EXPECT_EQ(append_element<kInt>(a.get(), 7), Verdict::kDone);
  EXPECT_EQ(a->bounds[0], 0);
  EXPECT_EQ(ints_of(a.get()), (std::vector<int32_t>{7}));

  EXPECT_EQ(insert_element<kInt>(a.get(), 1, 9), Verdict::kRaise);  // bound + 1 is Append's
  EXPECT_EQ(insert_element<kInt>(a.get(), -1, 9), Verdict::kRaise);
  EXPECT_EQ(a->bounds[0], 0);
  EXPECT_EQ(ints_of(a.get()), (std::vector<int32_t>{7}));

  EXPECT_EQ(insert_element<kInt>(a.get(), 0, 5), Verdict::kDone);
  append_element<kInt>(a.get(), 8);
  insert_element<kInt>(a.get(), 2, 6);
  EXPECT_EQ(ints_of(a.get()), (std::vector<int32_t>{5, 7, 6, 8}));

  // Inserting into the unwritten part of a declared array.
  TestArray sparse({30});
  direct_write<kInt>(sparse.get(), 0, 1, 0);
  ASSERT_EQ(sparse->top.count, 16);
  EXPECT_EQ(insert_element<kInt>(sparse.get(), 20, 4), Verdict::kDone);
  EXPECT_EQ(sparse->bounds[0], 31);
  std::vector<int32_t> expected(32, 0);
  expected[0] = 1;
  expected[20] = 4;
  EXPECT_EQ(ints_of(sparse.get()), expected);

  // The bound cannot pass the largest integer.
  TestArray huge({INT32_MAX});
  EXPECT_EQ(append_element<kInt>(huge.get(), 1), Verdict::kRaise);
  EXPECT_EQ(huge->bounds[0], INT32_MAX);
}

TEST(ArrayResize, AppendingAndInsertingManyElementsKeepsEveryValue) {
  TestArray a({-1});
  for (int32_t i = 0; i < 5000; ++i) append_element<kInt>(a.get(), i);
  for (int32_t i = 0; i < 1000; ++i) insert_element<kInt>(a.get(), 0, -i);
  std::vector<int32_t> values = ints_of(a.get());
  ASSERT_EQ(values.size(), 6000u);
  EXPECT_EQ(values[0], -999);
  EXPECT_EQ(values[999], 0);
  EXPECT_EQ(values[1000], 0);
  EXPECT_EQ(values[5999], 4999);
  EXPECT_LE(a->top.capacity, 2 * 6000);
}

TEST(ArrayResize, RemoveGivesBackTheElementAndMovesTheRestDown) {
  TestArray a({2}, kString);
  StringRef one = make("one"), two = make("two"), three = make("three");
  direct_write<kString>(a.get(), 0, one.get(), 0);
  direct_write<kString>(a.get(), 1, two.get(), 0);
  direct_write<kString>(a.get(), 2, three.get(), 0);
  EXPECT_EQ(remove_element(a.get(), 0, kString), Verdict::kDone);
  EXPECT_EQ(one.get()->count, 1);
  EXPECT_EQ(two.get()->count, 2);
  EXPECT_EQ(a->bounds[0], 1);
  EXPECT_EQ(texts_of(a.get()), (std::vector<std::string>{"two", "three"}));

  EXPECT_EQ(remove_element(a.get(), 2, kString), Verdict::kRaise);
  EXPECT_EQ(remove_element(a.get(), -1, kString), Verdict::kRaise);
  EXPECT_EQ(a->bounds[0], 1);
  EXPECT_EQ(three.get()->count, 2);

  // Removing an index that was never written only lowers the bound.
  TestArray sparse({30});
  direct_write<kInt>(sparse.get(), 0, 3, 0);
  direct_write<kInt>(sparse.get(), 15, 5, 0);
  ASSERT_EQ(sparse->top.count, 16);
  EXPECT_EQ(remove_element(sparse.get(), 20, kInt), Verdict::kDone);
  EXPECT_EQ(sparse->bounds[0], 29);
  EXPECT_EQ(sparse->top.count, 16);
  EXPECT_EQ(direct_read<kInt>(sparse.get(), 15, 0).value, 5);

  // Doubles remove through the integer form, moving whole 8-byte slots.
  TestArray doubles({3});
  for (int32_t i = 0; i <= 3; ++i) direct_write<ElementKind::kDouble>(doubles.get(), i, i + 0.5, 0);
  remove_element(doubles.get(), 1, kInt);
  EXPECT_EQ(direct_read<ElementKind::kDouble>(doubles.get(), 1, 0).value, 2.5);
  EXPECT_EQ(direct_read<ElementKind::kDouble>(doubles.get(), 2, 0).value, 3.5);

  CountedObjects objects;
  TestArray items({-1}, kObject);
  QlObject* item = objects.make();
  append_element<kObject>(items.get(), item);
  release_object(item);
  EXPECT_EQ(remove_element(items.get(), 0, kObject), Verdict::kDone);
  EXPECT_EQ(CountedObjects::destroyed(), 1);
  EXPECT_EQ(items->bounds[0], -1);
}

TEST(ArrayResize, RedimReleasesTheReferencesItCutsOff) {
  TestArray a({4}, kString);
  std::vector<StringRef> held;
  for (int32_t i = 0; i <= 4; ++i) {
    held.push_back(make("s" + std::to_string(i)));
    direct_write<kString>(a.get(), i, held.back().get(), 0);
  }
  redim_level(a.get(), 0, 1, kString);
  EXPECT_EQ(a->bounds[0], 1);
  for (int32_t i = 0; i <= 4; ++i) EXPECT_EQ(held[i].get()->count, i <= 1 ? 2 : 1) << i;
  EXPECT_EQ(texts_of(a.get()), (std::vector<std::string>{"s0", "s1"}));

  // Growing again reads the cut elements as empty.
  redim_level(a.get(), 0, 4, kString);
  EXPECT_EQ(texts_of(a.get()), (std::vector<std::string>{"s0", "s1", "", "", ""}));

  redim_level(a.get(), 0, -1, kString);
  EXPECT_EQ(held[0].get()->count, 1);
  EXPECT_EQ(a->top.storage, nullptr);
  EXPECT_EQ(append_element<kString>(a.get(), held[3].get()), Verdict::kDone);
  EXPECT_EQ(texts_of(a.get()), (std::vector<std::string>{"s3"}));
}

TEST(ArrayResize, RedimOfAnOuterLevelReleasesWholeRowsAndOfAnInnerLevelCutsEveryRow) {
  CountedObjects objects;
  TestArray grid({3, 3}, kObject);
  for (int32_t i = 0; i <= 3; ++i) {
    for (int32_t j = 0; j <= 3; ++j) {
      QlObject* item = objects.make();
      start_write_access(grid.get(), i);
      walk_write<kObject>(grid.get(), j, item);
      release_object(item);
    }
  }
  redim_level(grid.get(), 1, 1, kObject);  // every row keeps columns 0 and 1
  EXPECT_EQ(CountedObjects::destroyed(), 8);
  redim_level(grid.get(), 0, 0, kObject);  // rows 1 to 3 go with their two objects each
  EXPECT_EQ(CountedObjects::destroyed(), 14);
  EXPECT_EQ(grid->top.count, 1);
  start_read_access(grid.get(), 0);
  EXPECT_EQ(walk_read<kObject>(grid.get(), 2).verdict, Verdict::kRaise);

  // Integer arrays only free the vectors.
  int64_t before = testing::pool_outstanding();
  {
    TestArray numbers({5, 5});
    for (int32_t i = 0; i <= 5; ++i) {
      start_write_access(numbers.get(), i);
      walk_write<kInt>(numbers.get(), i, i);
    }
    redim_level(numbers.get(), 0, 1, kInt);
    EXPECT_EQ(numbers->top.count, 2);
    redim_level(numbers.get(), 7, 3, kInt);  // no vectors live at a level the array lacks
    EXPECT_EQ(numbers->bounds[7], 3);
    redim_level(numbers.get(), 20, 3, kInt);
    redim_level(numbers.get(), -1, 3, kInt);
  }
  EXPECT_EQ(testing::pool_outstanding(), before);
}

TEST(ArrayResize, OneDimensionalResizingRefusesArraysOfSeveralDimensions) {
  TestArray grid({2, 2});
  EXPECT_EQ(append_element<kInt>(grid.get(), 1), Verdict::kRaise);
  EXPECT_EQ(insert_element<kInt>(grid.get(), 0, 1), Verdict::kRaise);
  EXPECT_EQ(remove_element(grid.get(), 0, kInt), Verdict::kRaise);
  EXPECT_EQ(grid->bounds[0], 2);
  EXPECT_EQ(append_element<kInt>(nullptr, 1), Verdict::kDone);
  EXPECT_EQ(remove_element(nullptr, 0, kInt), Verdict::kDone);
}

}  // namespace
}  // namespace ql
