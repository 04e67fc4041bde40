// A listening test as a learner meets it: its items wait for "play" before their two word boxes are answered.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(Loquat, ATestItemWaitsForPlayThenItsTwoWordsAreAnswered) {
  const std::vector<PlannedRow> rows = rows_of("L0");
  const std::string title = "TEST 'L' or 'R' All Items  -";
  ASSERT_TRUE(choose({"Sounds", "L/R Test All"}));
  expect_title(title + " " + std::to_string(rows.size()) + " items");
  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Both"}));
  ASSERT_TRUE(click_first_box());  // "start"
  // Waiting for "play": the pair and "play"; a word click only clicks.
  const PlannedRow* row = item_on_show(rows);
  ASSERT_TRUE(row);
  const std::vector<std::string> choices = split(row->choices, ',');
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_EQ(choices[2], "play");
  ASSERT_TRUE(click(box(1)));
  expect_captions(choices);
  ASSERT_TRUE(click(box(3)));  // "play"
  expect_captions({choices[0], choices[1]});
  EXPECT_FALSE(is_visible(box(3)));
  // Answered like any item, with the "?" box to hear the word again.
  ASSERT_TRUE(answer_item());
  expect_captions({"next", "?"});
  ASSERT_TRUE(click(box(2)));  // "?"
  expect_title(title + " " + std::to_string(rows.size() - 1) + " items left");
}

}  // namespace
}  // namespace ql::loquat_tests
