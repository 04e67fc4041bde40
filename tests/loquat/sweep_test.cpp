// Every lesson of the menus opened in one run, each first screen and first item compared with reference
// drawings of the test's plan; the About pictures, an article's explanation and Quit.
#include <algorithm>

#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

enum class Opening { introduction, logo, compare_board };

struct Lesson {
  const char* menu;
  const char* item;
  const char* prefix;  // of the set codes the lesson takes
  const char* title;   // the title line before the status
  Opening opening;
  const char* begins = "";  // a part of the introduction
};

const Lesson kLessons[] = {
    {"Articles", "1 Basic Rules", "a01", "Articles 1 - THE BASIC RULE -", Opening::introduction,
     "For ONE COUNTABLE THING"},
    {"Articles", "2 Plural Nouns", "a02", "Articles 2 - PLURAL NOUNS -", Opening::introduction,
     "For MORE THAN ONE COUNTABLE THING"},
    {"Articles", "3  Uses of The", "a03", "Articles 3 - SPECIAL USES OF 'THE' -", Opening::introduction,
     "We use 'THE' in these special cases"},
    {"Articles", "4  No Article", "a04", "Articles 4 - NO ARTICLES -", Opening::introduction,
     "Articles are NOT used"},
    {"Articles", "5 Some & Any", "a05", "Articles 5 - 'SOME' AND 'ANY' -", Opening::introduction,
     "For both uncountable and countable nouns"},
    {"Articles", "6  Practice", "a06", "Articles 6 - PRACTICE -", Opening::logo},
    {"Articles", "7  Practice", "a07", "Articles 7 - PRACTICE -", Opening::logo},
    {"Articles", "8  Practice", "a08", "Articles 8 - PRACTICE -", Opening::logo},
    {"Articles", "9  Practice", "a09", "Articles 9 - PRACTICE -", Opening::logo},
    {"Articles", "10  Names", "a10", "Articles 10 - NAMES -", Opening::introduction,
     "Usually there are no articles with names"},
    {"Articles", "11  Types", "a11", "Articles 11 - TYPES -", Opening::introduction,
     "Often we speak of animals or plants in general"},
    {"Articles", "12  Illnesses", "a12", "Articles 12 - ILLNESSES -", Opening::introduction,
     "Think of the following as COUNTABLE"},
    {"Articles", "13  Practice", "a13", "Articles 13 - PRACTICE -", Opening::logo},
    {"Articles", "14  Practice", "a14", "Articles 14 - PRACTICE -", Opening::logo},
    {"Articles", "15  Practice", "a15", "Articles 15 - PRACTICE -", Opening::logo},
    {"Articles", "16 All Articles", "a", "Articles 16 - ALL TOGETHER -", Opening::logo},
    {"Proverbs", "1 Elementary", "p01", "PROVERBS 1 -", Opening::logo},
    {"Proverbs", "2 Elementary", "p02", "PROVERBS 2 -", Opening::logo},
    {"Proverbs", "3 Intermediate", "p03", "PROVERBS 3 -", Opening::logo},
    {"Proverbs", "4 Intermediate", "p04", "PROVERBS 4 -", Opening::logo},
    {"Proverbs", "5 Intermediate", "p05", "PROVERBS 5 -", Opening::logo},
    {"Proverbs", "6 Intermediate", "p06", "PROVERBS 6 -", Opening::logo},
    {"Proverbs", "7 Intermediate", "p07", "PROVERBS 7 -", Opening::logo},
    {"Proverbs", "8  Advanced", "p08", "PROVERBS 8 -", Opening::logo},
    {"Proverbs", "9  Advanced", "p09", "PROVERBS 9 -", Opening::logo},
    {"Proverbs", "10 Advanced", "p10", "PROVERBS 10 -", Opening::logo},
    {"Proverbs", "11 Advanced", "p11", "PROVERBS 11 -", Opening::logo},
    {"Proverbs", "12 Advanced", "p12", "PROVERBS 12 -", Opening::logo},
    {"Proverbs", "13 Advanced", "p13", "PROVERBS 13 -", Opening::logo},
    {"Sounds", "L/R 1 - Compare", "LX1", "LISTEN AND COMPARE", Opening::compare_board},
    {"Sounds", "L/R 1 - Test", "L01", "Group 1 - 'L' or 'R' Test -", Opening::logo},
    {"Sounds", "L/R 2 - Compare", "LX2", "LISTEN AND COMPARE", Opening::compare_board},
    {"Sounds", "L/R 2 - Test", "L02", "Group 2 - 'L' or 'R' Test -", Opening::logo},
    {"Sounds", "L/R 3 - Compare", "LX3", "LISTEN AND COMPARE", Opening::compare_board},
    {"Sounds", "L/R 3 - Test", "L03", "Group 3 - 'L' or 'R' Test -", Opening::logo},
    {"Sounds", "L/R Test All", "L0", "TEST 'L' or 'R' All Items  -", Opening::logo},
};

TEST_F(Loquat, EveryLessonOpensOnItsScreenAndShowsOneOfItsItemsThenTheAboutPicturesAndQuit) {
  for (const Lesson& lesson : kLessons) {
    SCOPED_TRACE(std::string(lesson.menu) + " > " + lesson.item);
    ASSERT_TRUE(choose({lesson.menu, lesson.item}));
    const std::vector<PlannedRow> rows = rows_of(lesson.prefix);
    ASSERT_FALSE(rows.empty());
    if (lesson.opening == Opening::compare_board) {
      // The board is the set's last row, its words in the boxes, which only play; the title has no count.
      ASSERT_TRUE(click(box(1)));
      expect_canvas("", 0, 0, lesson.title);
      expect_captions(split(rows.back().choices, ','));
      continue;
    }
    const std::string title = std::string(lesson.title) + " " + std::to_string(rows.size()) + " items";
    const bool introduction = lesson.opening == Opening::introduction;
    EXPECT_EQ(is_visible(control(kBigNoteField)), introduction);
    EXPECT_TRUE(!introduction ||
                window_text(control(kBigNoteField)).find(lesson.begins) != std::string::npos);
    expect_canvas(introduction ? "" : "picture3-logo.png", 118, 90, title);
    expect_captions({introduction ? "examples" : "start"});
    ASSERT_TRUE(click_first_box());
    EXPECT_TRUE(item_on_show(rows));
    expect_title(title);
  }

  // Each About command draws its picture over the item, and leaves the boxes.
  const std::pair<const char*, const char*> abouts[] = {{"File", "About Loquat"},
                                                        {"Articles", "About Articles"},
                                                        {"Proverbs", "About Proverbs"},
                                                        {"Sounds", "About Sounds"}};
  const char* pictures[] = {"picture1-credits.png", "picture65-about-articles.png",
                            "picture66-about-proverbs.png", "picture64-about-sounds.png"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(choose({abouts[i].first, abouts[i].second}));
    expect_canvas(pictures[i], 0, 0, "");
  }

  // An article item done: "?" shows its explanation, its "/" breaking the lines.
  const std::vector<PlannedRow> rows = rows_of("a01");
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  ASSERT_TRUE(click_first_box());
  const PlannedRow* row = item_on_show(rows);
  ASSERT_TRUE(row && answer_row(*row));
  ASSERT_GT(row->explanation.size(), 5u);
  expect_captions({"next", "?"});
  EXPECT_FALSE(is_visible(control(kNoteField)));
  ASSERT_TRUE(click(box(2)));
  EXPECT_TRUE(is_visible(control(kNoteField)));
  std::string shown = window_text(control(kNoteField)), expected = row->explanation;
  for (char& c : expected) c = c == '/' ? '\r' : c;
  shown.erase(std::remove(shown.begin(), shown.end(), '\n'), shown.end());
  EXPECT_EQ(shown, expected);

  ASSERT_TRUE(choose({"File", "Quit"}));
  ASSERT_TRUE(wait_until([&] { return !program_->running(); }, "loquat.exe to end after Quit"));
  EXPECT_EQ(program_->end().how, ProgramEnd::How::exited);
}

}  // namespace
}  // namespace ql::loquat_tests
