// The listening lessons as a learner meets them: a compare board of ten word boxes that only play, and the
// tests, whose items wait for "play" before their two word boxes are answered.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(Loquat, ACompareBoardShowsTenWordsThatOnlyPlay) {
  ASSERT_TRUE(choose({"Sounds", "L/R 1 - Compare"}));
  EXPECT_FALSE(is_visible(control(kCreditsCanvas)));
  EXPECT_EQ(split(fdb(5), ',').size(), 10u);
  EXPECT_EQ(shown_boxes(12), 10);
  expect_title("LISTEN AND COMPARE");
  // A word click plays it and changes nothing on the board.
  const std::string choices = fdb(5);
  ASSERT_TRUE(click(box(1)));
  ASSERT_TRUE(click(box(2)));
  EXPECT_EQ(fdb(5), choices);
  EXPECT_EQ(shown_boxes(12), 10);
  EXPECT_TRUE(pool().empty());
}

TEST_F(Loquat, ATestItemWaitsForPlayThenItsTwoWordsAreAnswered) {
  ASSERT_TRUE(choose({"Sounds", "L/R Test All"}));
  EXPECT_EQ(pool().size(), 30u);
  expect_title("TEST 'L' or 'R' All Items  - 30 items");
  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Both"}));
  ASSERT_TRUE(click_first_box());  // "start"
  // Waiting for "play": the pair and "play"; a word click only clicks.
  std::vector<std::string> choices = split(fdb(5), ',');
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[2], "play");
  ASSERT_TRUE(click(box(1)));
  EXPECT_EQ(split(fdb(5), ',').size(), 3u);
  ASSERT_TRUE(click(box(3)));  // "play"
  EXPECT_EQ(split(fdb(5), ','), std::vector<std::string>(choices.begin(), choices.begin() + 2));
  EXPECT_FALSE(is_visible(box(3)));
  // Answered like any item, with the "?" box to hear the word again.
  ASSERT_TRUE(answer_item());
  EXPECT_TRUE(is_visible(box(2)));
  ASSERT_TRUE(click(box(2)));  // "?"
  EXPECT_EQ(pool().size(), 29u);
}

}  // namespace
}  // namespace ql::loquat_tests
