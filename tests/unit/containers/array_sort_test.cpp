// Sorting arrays of every element kind, against the standard sort and the locale order.
#include "containers/array_sort.h"

#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "array_test_support.h"
#include "containers/array_access.h"
#include "containers/array_shape.h"
#include "quillet/strings.h"
#include "unit/values/string_test_support.h"

namespace ql {
namespace {

using testing::make;
using testing::TestArray;
using testing::text;

constexpr auto kInt = ElementKind::kInt;
constexpr auto kDouble = ElementKind::kDouble;
constexpr auto kString = ElementKind::kString;

std::vector<int32_t> sorted_ints(const std::vector<int32_t>& values) {
  TestArray a({-1});
  for (int32_t v : values) append_element<kInt>(a.get(), v);
  EXPECT_EQ(sort_array(a.get(), kInt), Verdict::kDone);
  std::vector<int32_t> out;
  for (int32_t i = 0; i <= a->bounds[0]; ++i) out.push_back(direct_read<kInt>(a.get(), i, 0).value);
  return out;
}

TEST(ArraySort, IntegersComeOutAscending) {
  EXPECT_EQ(sorted_ints({3, 1, 2, 1}), (std::vector<int32_t>{1, 1, 2, 3}));
  EXPECT_EQ(sorted_ints({}), (std::vector<int32_t>{}));
  EXPECT_EQ(sorted_ints({5}), (std::vector<int32_t>{5}));
  EXPECT_EQ(sorted_ints({INT32_MAX, INT32_MIN, 0, -1}), (std::vector<int32_t>{INT32_MIN, -1, 0, INT32_MAX}));

  // Every size around the switch between partitioning and selection, in several orders.
  std::mt19937 random(7);
  for (int n = 0; n <= 40; ++n) {
    for (int round = 0; round < 5; ++round) {
      std::vector<int32_t> values(n);
      for (int32_t& v : values) v = static_cast<int32_t>(random() % 10) - 5;
      if (round == 1) std::sort(values.begin(), values.end());
      if (round == 2) std::sort(values.rbegin(), values.rend());
      std::vector<int32_t> expected = values;
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(sorted_ints(values), expected) << "n " << n << " round " << round;
    }
  }
}

TEST(ArraySort, EqualKeysFewKeysAndOrganPipesSortCorrectly) {
  std::vector<int32_t> same(100000, 4);
  EXPECT_EQ(sorted_ints(same), same);

  // Few distinct keys among many: three-way partitioning settles each key once.
  std::vector<int32_t> few(100000);
  for (size_t i = 0; i < few.size(); ++i) few[i] = static_cast<int32_t>((i * 7919) % 3);
  std::vector<int32_t> expected = few;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted_ints(few), expected);

  // The middle pivot peels one element a pass off an organ pipe; heapsort finishes such ranges.
  std::vector<int32_t> organ_pipe(100001);
  for (int32_t i = 0; i <= 100000; ++i) organ_pipe[i] = i <= 50000 ? i : 100000 - i;
  expected = organ_pipe;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted_ints(organ_pipe), expected);
}

TEST(ArraySort, LargeRandomArraysMatchTheStandardSort) {
  std::mt19937 random(11);
  std::vector<int32_t> values(50000);
  for (int32_t& v : values) v = static_cast<int32_t>(random());
  std::vector<int32_t> expected = values;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted_ints(values), expected);
}

TEST(ArraySort, UnwrittenElementsTakePartAndTheRangeStackIsGivenBack) {
  int64_t before = testing::pool_outstanding();
  {
    TestArray a({39});
    direct_write<kInt>(a.get(), 0, 9, 0);
    direct_write<kInt>(a.get(), 1, -3, 0);
    ASSERT_EQ(a->top.count, 16);
    EXPECT_EQ(sort_array(a.get(), kInt), Verdict::kDone);
    EXPECT_EQ(a->top.count, 40);
    EXPECT_EQ(direct_read<kInt>(a.get(), 0, 0).value, -3);
    for (int32_t i = 1; i < 39; ++i) EXPECT_EQ(direct_read<kInt>(a.get(), i, 0).value, 0) << i;
    EXPECT_EQ(direct_read<kInt>(a.get(), 39, 0).value, 9);
  }
  EXPECT_EQ(testing::pool_outstanding(), before);

  TestArray grid({3, 3});
  EXPECT_EQ(sort_array(grid.get(), kInt), Verdict::kRaise);
  EXPECT_EQ(sort_array(nullptr, kInt), Verdict::kDone);
}

TEST(ArraySort, SinglesAndDoublesSortNumericallyWithNaNLast) {
  TestArray d({-1});
  for (double v : {2.5, static_cast<double>(NAN), -1.0, 1e300, -0.0, -1e300, 0.5})
    append_element<kDouble>(d.get(), v);
  sort_array(d.get(), kDouble);
  std::vector<double> out;
  for (int32_t i = 0; i <= d->bounds[0]; ++i) out.push_back(direct_read<kDouble>(d.get(), i, 0).value);
  ASSERT_EQ(out.size(), 7u);
  EXPECT_EQ(out[0], -1e300);
  EXPECT_EQ(out[1], -1.0);
  EXPECT_EQ(out[2], 0.0);
  EXPECT_EQ(out[3], 0.5);
  EXPECT_EQ(out[4], 2.5);
  EXPECT_EQ(out[5], 1e300);
  EXPECT_TRUE(isnan(out[6]));

  TestArray s({-1});
  for (double v : {3.25, -7.5, 0.125, 3.0, 11.0, -2.0, 0.0}) append_element<ElementKind::kSingle>(s.get(), v);
  sort_array(s.get(), ElementKind::kSingle);
  std::vector<double> singles;
  for (int32_t i = 0; i <= s->bounds[0]; ++i) {
    singles.push_back(direct_read<ElementKind::kSingle>(s.get(), i, 0).value);
  }
  EXPECT_EQ(singles, (std::vector<double>{-7.5, -2.0, 0.0, 0.125, 3.0, 3.25, 11.0}));
}

TEST(ArraySort, StringsFollowTheLocaleOrderWithCaseSignificantAndKeepTheirReferences) {
  std::vector<std::string> words = {"pear", "Apple", "apple", "banana", "Banana", "", "cherry", "apple"};
  TestArray a({-1}, kString);
  std::vector<StringRef> held;
  for (const std::string& w : words) {
    held.push_back(make(w));
    append_element<kString>(a.get(), held.back().get());
  }
  ASSERT_EQ(sort_array(a.get(), kString), Verdict::kDone);
  std::vector<std::string> out;
  for (int32_t i = 0; i <= a->bounds[0]; ++i) {
    out.push_back(text(StringRef(direct_read<kString>(a.get(), i, 0).value).get()));
  }
  for (size_t i = 1; i < out.size(); ++i) {
    StringRef x = make(out[i - 1]), y = make(out[i]);
    EXPECT_LE(StringStrCompare(x.get(), y.get(), 1), 0) << out[i - 1] << " / " << out[i];
  }
  EXPECT_EQ(out.front(), "");
  EXPECT_EQ(std::count(out.begin(), out.end(), "apple"), 2);
  // Letters before case: both apples come before both bananas whatever their case.
  auto at = [&](const char* w) { return std::find(out.begin(), out.end(), w) - out.begin(); };
  EXPECT_LT(at("Apple"), at("banana"));
  EXPECT_LT(at("apple"), at("Banana"));
  EXPECT_NE(StringStrCompare(held[1].get(), held[2].get(), 1), 0);  // Apple and apple are distinct keys
  // Sorting moves references; it neither takes nor gives any.
  for (size_t i = 0; i < held.size(); ++i) {
    if (held[i].get()) {
      EXPECT_EQ(held[i].get()->count, 2) << words[i];
    }
  }
}

TEST(ArraySort, StringOrganPipesComeOutOrderedWithEveryReferenceKept) {
  std::vector<StringRef> held;
  for (int i = 0; i < 2000; ++i) {
    char word[16];
    snprintf(word, sizeof word, "w%05d", i < 1000 ? i : 1999 - i);
    held.push_back(make(word));
  }
  TestArray a({-1}, kString);
  for (const StringRef& s : held) append_element<kString>(a.get(), s.get());
  sort_array(a.get(), kString);
  for (int32_t i = 0; i < 2000; ++i) {
    char word[16];
    snprintf(word, sizeof word, "w%05d", i / 2);
    EXPECT_EQ(text(StringRef(direct_read<kString>(a.get(), i, 0).value).get()), word) << i;
  }
  for (const StringRef& s : held) EXPECT_EQ(s.get()->count, 2);
}

}  // namespace
}  // namespace ql
