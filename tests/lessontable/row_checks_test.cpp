// lessontable check on tables with one broken row: the message names the row, the cell and the fault.
#include <gtest/gtest.h>

#include "lessontable/table_fixture.h"

namespace lessontable_test {
namespace {

struct Case {
  int row, cell;
  std::string value;
  std::string name, message;
  std::vector<std::pair<int, std::string>> also = {};  // further cells of the row to change
  int problems = 1;
};

// Breaks each case's cells in an otherwise valid table; expects the given problem first, and as many
// problems as the case says.
void expect_problems(const std::vector<Case>& cases) {
  qltest::TempDir dir;
  for (const Case& c : cases) {
    std::vector<Row> rows = valid_rows();
    rows[c.row][c.cell] = c.value;
    for (const auto& [cell, value] : c.also) rows[c.row][cell] = value;
    Outcome result = check(dir, tsv(rows));
    EXPECT_EQ(result.code, 1) << c.value;
    std::string expected = where(dir, c.row, c.cell, c.name) + c.message;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), expected) << result.err;
    EXPECT_NE(result.err.find(": " + std::to_string(c.problems) + " problem(s); the table cannot be used"),
              std::string::npos)
        << result.err;
  }
}

TEST(RowChecks, ValidTableHasNoProblems) {
  qltest::TempDir dir;
  Outcome result = check(dir, tsv(valid_rows()));
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find("441 rows (180 articles, 30 listening tests, 3 compare boards, 228 proverbs)"),
            std::string::npos)
      << result.out;
}

TEST(RowChecks, ItemsThatCannotBeAnswered) {
  expect_problems({
      {4, 3, "teh", "answers",
       "answer 1 'teh' is not one of the choices 'a,an,*,the,some,any', so the item could never be finished: "
       "correct the answer or add the choice"},
      {4, 3, "The", "answers",
       "answer 1 'The' differs from the choice 'the' in case only: write it exactly as the choice"},
      {4, 3, "a,the", "answers", "2 answer(s) for 1 gap(s): give one answer per '_', in order"},
      {300,
       4,
       "end,alpha,beta",
       "choices",
       "choice 1 'end' is also a command caption, so a click on it runs the command instead of answering: "
       "rephrase "
       "the item without this word",
       {{3, "alpha,beta,end"}}},
      {190, 3, "Road", "answers",
       "answer 1 'Road' is not one of the choices 'Glass,Grass,play', so the item could never be finished: "
       "correct the answer or add the choice"},
      {185,
       4,
       "Lice,Rice",
       "choices",
       "a listening test offers the two words of a pair and then 'play', as in 'Lice,Rice,play': the test "
       "waits "
       "for 'play' while it has three choices",
       {{6, "2*72"}, {3, "Lice"}}},
  });
}

TEST(RowChecks, PatternSyntax) {
  expect_problems({
      {9, 2, "Item 9 is (very,quite _ test.", "pattern",
       "'(' at character 11 is never closed: add the ')' that ends the group"},
      {9, 2, "Item 9 is (very,) _ test.", "pattern",
       "the group '(very,)' has an empty alternative: remove the extra ','"},
      {9, 2, "Item 9 is ( very,quite) _ test.", "pattern",
       "the group '( very,quite)' has a space just inside its brackets, which keeps the engine from "
       "replacing it: "
       "remove the space"},
      {9, 2, "Item 9 is _ test (sic).)", "pattern",
       "')' at character 24 has no '(' before it: remove it or add the '('"},
      {9, 2, "Item 9 costs $5 _ test.", "pattern",
       "'$' cuts the sentence into segments inside the engine and cannot be shown: remove it"},
  });
}

TEST(RowChecks, LineCountsAndWidths) {
  expect_problems({
      {230, 2, "_/_/_/./././.", "pattern",
       "the pattern has 7 lines, for which the engine sets no baselines (it shows a message instead): use 1 "
       "to 6 "
       "or 8 to 10 lines"},
      {9, 2, "Item/9/is/_/test.", "pattern",
       "article items have 1 to 4 lines, this one 5 (the boxes begin at 259 px): shorten the sentence"},
      // Fits with "small" but not with the other alternative: every alternative is measured.
      {9, 2, "It is _ (small,remarkably extraordinary) test.", "pattern",
       "line 1 'It is a remarkably extraordinary test.' is 536 px wide with its gaps filled, more than the "
       "480 px it "
       "may take when the alternatives read 'remarkably extraordinary': shorten it or break it with '/'"},
      // Fits while the gaps are open (429 px), not once the words fill them.
      {230, 2, "_ _ _ mmmmmmmmmmmm.", "pattern",
       "line 1 'Alpha beta w230 mmmmmmmmmmmm.' is 608 px wide with its gaps filled, more than the 480 px it "
       "may "
       "take: shorten it or break it with '/'"},
      {9, 2, "TV is _ test.", "pattern",
       "the sentence starts with 'TV', which the engine shows as 'Tv' once a gap is filled (it capitalises "
       "the "
       "first word and lowers its other letters): start with a capital and no other capitals in the first "
       "word"},
  });
}

TEST(RowChecks, Layouts) {
  expect_problems({
      {9, 6, "20 72,50 72", "layout",
       "the layout gives 2 positions for 6 choices: give one 'X Y' position per choice"},
      {9, 6, "3*72,2*85", "layout", "the rows hold 5 boxes for 6 choices: make the counts add up to 6"},
      {9, 6, "2*60,2*72,1*80,1*90", "layout",
       "the layout has 4 rows, but only the first three are laid out: put the boxes in three rows or fewer"},
      {9, 6, "20 72,50 72,80 72,20  85,50 85,80 85", "layout",
       "'20  85' (field 4) is not a position: positions are two whole numbers separated by one space, as in "
       "'20 72'"},
      {9, 6, "6*72", "layout",
       "row 1 of the boxes ('a,an,*,the,some,any') needs 459 px (captions plus 34 px a box), more than the "
       "416 px "
       "band: move a box to another row"},
      {9, 6, "20 72,30 72,80 72,20 85,50 85,80 85", "layout",
       "the boxes 'a' (69..122 x 259..293 px) and 'an' (108..180 x 259..293 px) overlap: move them apart"},
      {9, 6, "2 72,50 72,80 72,20 85,50 85,80 85", "layout",
       "the box 'a' (-16..37 x 259..293 px) leaves the 480 px canvas: move it towards the middle"},
      {9,
       6,
       "3*72,3*95",
       "layout",
       "the box 'the' (64..145 x 342..376 px) runs off the bottom of the 360 px canvas: put it higher",
       {},
       3},
      {9, 6, "3*40,3*85", "layout",
       "the top boxes (at 144 px) cover line 1 of the sentence (its text reaches 148 px): use fewer lines or "
       "put "
       "the boxes lower"},
  });
}

TEST(RowChecks, ProverbRules) {
  expect_problems({
      {230, 5, "4", "word count", "holds '4', but the proverb has 3 words: write 3"},
      {230, 7, "6", "difficulty", "holds '6': give the difficulty as one digit from 1 to 5"},
      {230, 4, "alpha,beta,w230", "choices",
       "the choices stand in the order of the proverb, which gives the answer away: shuffle them"},
      {230,
       3,
       "alpha,beta,w999",
       "answers",
       "answer 3 'w999' is not one of the choices 'w230,alpha,beta', so the item could never be finished: "
       "correct "
       "the answer or add the choice",
       {},
       3},
      {230,
       3,
       "alpha,Beta,w230",
       "answers",
       "'Beta' has capitals: proverb words are written in lower case (the engine capitalises the first word "
       "when "
       "it is filled)",
       {{4, "w230,alpha,Beta"}}},
  });
}

TEST(RowChecks, RecordingsAndTooManyBoxes) {
  expect_problems({
      {212, 4, "Glass,Grass,Lice,Rice,Light,Write,Load,Road,Long,Lazer", "choices",
       "'Lazer' has no recording, so its box would play nothing: use a word of the 15 recorded pairs"},
      {185,
       4,
       "Lice,Correctcorrectcorrect,play",
       "choices",
       "the pair needs 448 px in one row once 'play' is clicked, more than the 416 px band: use shorter "
       "words",
       {{6, "1*62,1*74,1*86"}, {3, "Lice"}},
       2},
      {185,
       4,
       "Lice,Lazer,play",
       "choices",
       "'Lazer' has no recording, so the pair cannot be heard: offer a pair of the 15 recorded pairs",
       {{3, "Lice"}}},
      {186,
       3,
       "Alive",
       "answers",
       "the set already asks for 'Alive' in row 180: ask for another word, as the pair's other one",
       {{4, "Alive,Arrive,play"}}},
      {185, 3, "play", "answers",
       "the answer is 'play', which is removed before the words are checked: give the spoken word"},
  });
  // Sixteen choices: box 16 is never hidden between items.
  qltest::TempDir dir;
  std::vector<Row> rows = valid_rows();
  rows[300] = {"300",
               "p05",
               "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _.",
               "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p",
               "p,o,n,m,l,k,j,i,h,g,f,e,d,c,b,a",
               "16",
               "6*62,5*74,5*86",
               "5"};
  Outcome result = check(dir, tsv(rows));
  EXPECT_NE(
      result.err.find(where(dir, 300, 4, "choices") +
                      "16 choices, but boxes after the 15th are not cleared when an item is done and would "
                      "stay on the screen: offer at most 15"),
      std::string::npos)
      << result.err;
}

TEST(RowChecks, RepeatsAcrossRows) {
  qltest::TempDir dir;
  std::vector<Row> rows = valid_rows();
  rows[400][3] = rows[300][3];
  rows[400][4] = rows[300][4];
  rows[40][2] = rows[30][2];
  Outcome result = check(dir, tsv(rows));
  EXPECT_NE(
      result.err.find(where(dir, 40, 2, "pattern") + "the same item stands in row 30: replace one of them"),
      std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find(where(dir, 400, 3, "answers") +
                            "the same proverb stands in row 300: replace one of them"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find(": 2 problem(s)"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace lessontable_test
