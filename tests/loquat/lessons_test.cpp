// Lessons taken as a learner takes them: boxes clicked until the score, faults counted by the scoring rule,
// proverbs rebuilt word by word, and what is drawn on the canvas read back.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kInk = RGB(0, 0, 100);

int count_in(HWND window, COLORREF color, int tolerance) {
  ScreenCapture capture(client_rect_on_screen(window));
  return capture.count(color, tolerance);
}

TEST_F(Loquat, BasicRulesTakenWithoutAFaultEndWithAPerfectScore) {
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  EXPECT_EQ(window_text(control(kBigNoteField)).find("For ONE COUNTABLE THING"), 4u);
  const size_t items = pool().size();
  ASSERT_GT(items, 0u);
  expect_title("Articles 1 - THE BASIC RULE - " + std::to_string(items) + " items");
  EXPECT_EQ(take_lesson(), static_cast<int>(items));
  expect_title("Articles 1 - THE BASIC RULE - Perfect Score");
  // "end" leads to the closing screen, and no box stays.
  ASSERT_TRUE(click_first_box());
  for (int i = 0; i <= 15; ++i) EXPECT_FALSE(is_visible(box(i))) << i;
}

TEST_F(Loquat, AFaultedItemComesBackAndCountsAgainstTheScore) {
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  const int items = static_cast<int>(pool().size());
  ASSERT_GE(items, 2);
  // The first item faulted once, then done right when it comes again: one more item shown.
  EXPECT_EQ(take_lesson(1), items + 1);
  expect_title("Articles 1 - THE BASIC RULE - " + std::to_string(items) + " items, " +
               std::to_string(items - 1) + " correct.");
}

TEST_F(Loquat, AProverbIsRebuiltWordByWordToTheEndOfTheLesson) {
  ASSERT_TRUE(choose({"Proverbs", "1 Elementary"}));
  const int items = static_cast<int>(pool().size());
  ASSERT_GT(items, 0);
  ASSERT_TRUE(click_first_box());  // "start"
  // Every word of the proverb is a gap, filled in ink, one click at a time.
  const size_t words = split(trimmed(fdb(4)), ',').size();
  EXPECT_GT(words, 2u);
  int ink_before = count_in(control(kBigCanvas), kInk, 40);
  ASSERT_TRUE(answer_item());
  EXPECT_GT(count_in(control(kBigCanvas), kInk, 40), ink_before + 100);
  int shown = 1;
  while (!pool().empty() && shown < 500) {
    ASSERT_TRUE(click_first_box());  // "next"
    ASSERT_TRUE(answer_item());
    ++shown;
  }
  EXPECT_EQ(shown, items);
  expect_title("PROVERBS 1 - Perfect Score");
}

TEST_F(Loquat, AllArticlesPoolsTheHundredAndEightyArticleItems) {
  ASSERT_TRUE(choose({"Articles", "16 All Articles"}));
  EXPECT_EQ(pool().size(), 180u);
  expect_title("Articles 16 - ALL TOGETHER - 180 items");
}

TEST_F(Loquat, TheGapAndTheBoxCaptionsAreDrawnAndTheAboutPictureLeavesTheBoxesUsable) {
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  ASSERT_TRUE(click_first_box());
  // An open gap is a red "_"; filled, the word takes its place in red.
  const int red_before = count_in(control(kBigCanvas), kRed, 40);
  EXPECT_GT(red_before, 0);
  for (int i = 1; i <= static_cast<int>(split(fdb(5), ',').size()); ++i) {
    ASSERT_TRUE(is_visible(box(i))) << i;
    EXPECT_GT(count_in(box(i), kInk, 60), 10) << "box " << i << " shows no caption";
  }

  ASSERT_TRUE(choose({"Articles", "About Articles"}));
  ScreenCapture about(client_rect_on_screen(control(kBigCanvas)));
  const int about_drawn = about.width() * about.height() - about.count(kWhite, 30);
  EXPECT_GT(about_drawn, 20000) << "no About picture";
  // The boxes still answer; the first right one redraws the sentence over the picture.
  EXPECT_NE(trimmed(fdb(4)), "");
  ASSERT_TRUE(answer_item());
  ScreenCapture answered(client_rect_on_screen(control(kBigCanvas)));
  EXPECT_LT(answered.width() * answered.height() - answered.count(kWhite, 30), about_drawn / 2);
  EXPECT_GT(answered.count(kRed, 40), 0) << "the filled gap is not drawn in red";
  EXPECT_TRUE(is_visible(box(1)));  // "next" or "end"
}

}  // namespace
}  // namespace ql::loquat_tests
