// Lessons taken as a learner takes them, every item answered from the test's plan of the lesson: the title
// line's count and score after each item, faults counted by the scoring rule, proverbs rebuilt word by word,
// and an About picture drawn over a running item.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(Loquat, BasicRulesTakenWithoutAFaultEndWithAPerfectScore) {
  const std::vector<PlannedRow> rows = rows_of("a01");
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  expect_title("Articles 1 - THE BASIC RULE - " + std::to_string(rows.size()) + " items");
  EXPECT_EQ(take_lesson("Articles 1 - THE BASIC RULE -", rows), static_cast<int>(rows.size()));
  // "end" leads to the closing screen: the logo, a last line, and no box.
  ASSERT_TRUE(click_first_box());
  for (int i = 0; i <= 15; ++i) EXPECT_FALSE(is_visible(box(i))) << i;
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  ReferenceDrawing closing({canvas.left, canvas.top + 200, canvas.right, canvas.top + 250}, kWhite);
  const int width = closing.text_width("PLEASE CHOOSE AGAIN", "Times New Roman", 18);
  closing.text("PLEASE CHOOSE AGAIN", (480 - width) / 2, 40, "Times New Roman", 18, RGB(0, 0, 100));
  expect_drawn(closing, "the closing line");
}

TEST_F(Loquat, AFaultedItemComesBackAndCountsAgainstTheScore) {
  const std::vector<PlannedRow> rows = rows_of("a01");
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  // The first item faulted once, then done right when it comes again: one more item shown, one fewer correct.
  EXPECT_EQ(take_lesson("Articles 1 - THE BASIC RULE -", rows, 1), static_cast<int>(rows.size()) + 1);
  expect_title("Articles 1 - THE BASIC RULE - " + std::to_string(rows.size()) + " items, " +
               std::to_string(rows.size() - 1) + " correct.");
}

TEST_F(Loquat, AProverbIsRebuiltWordByWordToTheEndOfTheLesson) {
  const std::vector<PlannedRow> rows = rows_of("p01");
  ASSERT_TRUE(choose({"Proverbs", "1 Elementary"}));
  EXPECT_EQ(take_lesson("PROVERBS 1 -", rows), static_cast<int>(rows.size()));
  expect_title("PROVERBS 1 - Perfect Score");
}

TEST_F(Loquat, AnAboutPictureOverAnItemLeavesItsBoxesToAnswerIt) {
  const std::vector<PlannedRow> rows = rows_of("a06");
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  ASSERT_TRUE(click_first_box());
  const PlannedRow* row = item_on_show(rows);
  ASSERT_TRUE(row);
  ASSERT_TRUE(choose({"Articles", "About Articles"}));
  expect_canvas("picture65-about-articles.png", 0, 0, "");
  expect_captions(split(row->choices, ','));
  // A right answer goes on with the item and draws the sentence again over the picture.
  PlannedRow first_gap = *row;
  first_gap.answers = split(row->answers, ',')[0];
  ASSERT_TRUE(answer_row(first_gap));
  // Every right answer sets the status to the items left: one fewer when that was the item's only gap.
  const size_t left = rows.size() - (first_gap.answers == row->answers ? 1 : 0);
  expect_title("Articles 6 - PRACTICE - " + std::to_string(left) + " items left");
  ScreenCapture canvas(client_rect_on_screen(control(kBigCanvas)));
  EXPECT_LT(canvas.width() * canvas.height() - canvas.count(kWhite, 30), 20000) << "the picture stays";
}

}  // namespace
}  // namespace ql::loquat_tests
