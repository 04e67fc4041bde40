// Loquat as it opens: the credits picture over the lesson canvas, the menu bar, the Font menu's rule and the
// click setting.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(Loquat, OpensOnTheCreditsScreenWithItsMenus) {
  // 480 x 360 of content at (20, 50), covered by the credits picture (its orange rule under the logo).
  RECT content = client_rect_on_screen(main_);
  EXPECT_EQ(content.left, 20);
  EXPECT_EQ(content.top, 50);
  EXPECT_EQ(width_of(content), 480);
  EXPECT_EQ(height_of(content), 360);
  EXPECT_TRUE(is_visible(control(kCreditsCanvas)));
  RECT credits = client_rect_on_screen(control(kCreditsCanvas)), shown;
  IntersectRect(&shown, &credits, &content);
  ReferenceDrawing picture(shown, kWhite);
  ASSERT_TRUE(picture.picture(picture_file("picture1-credits.png"), credits.left - shown.left,
                              credits.top - shown.top));
  expect_drawn(picture, "the credits picture");

  std::vector<std::string> menus;
  for (const MenuItem& item : menu_items(main_)) menus.push_back(item.label);
  EXPECT_EQ(menus, (std::vector<std::string>{"File", "Articles", "Proverbs", "Sounds"}));

  // Fonts are disabled while the credits show, and while an introduction does.
  EXPECT_FALSE(font_menu_enabled());
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  EXPECT_FALSE(is_visible(control(kCreditsCanvas)));
  EXPECT_TRUE(is_visible(control(kBigNoteField)));
  EXPECT_FALSE(font_menu_enabled());
  // A practice lesson opens on the logo, with no introduction: fonts may be chosen.
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  EXPECT_FALSE(is_visible(control(kBigNoteField)));
  EXPECT_TRUE(font_menu_enabled());

  // The click setting is the item's own text.
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Clicking Off"}, true, false));
  ASSERT_TRUE(choose({"File", "Clicking Off"}));
  // This one plays the click, and the first sound opens the sound device, which may take a while.
  ASSERT_TRUE(choose({"File", "Clicking On"}, 15000));
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Clicking Off"}, true, false));
}

TEST_F(Loquat, TheFontMenuListsTheInstalledFontsAndAChoiceRedrawsTheItem) {
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  // Until it first opens, the font submenu holds only the item the image gives it: one per font is made then.
  std::optional<MenuItem> font = find_menu_item(main_, {"File", "Font"});
  ASSERT_TRUE(font);
  EXPECT_EQ(menu_items(main_, font->submenu).size(), 1u);
  // The submenu holds the fonts once it has opened.
  ASSERT_TRUE(look_into_menus(main_, {"File", "Font"}));
  std::vector<MenuItem> fonts;
  for (const MenuItem& menu : menu_items(main_))
    if (menu.label == "File")
      for (const MenuItem& item : menu_items(main_, menu.submenu))
        if (item.label == "Font") fonts = menu_items(main_, item.submenu);
  ASSERT_GT(fonts.size(), 3u);
  EXPECT_NE(fonts[0].label, "Fontname");
  ASSERT_TRUE(click_first_box());  // "start"
  EXPECT_EQ(height_of(rect_in_parent(box(1))), 34);
  // A monospaced face is too wide for the test sentence at 36 and fits at 30: the boxes shrink to 30.
  std::string mono;
  for (const MenuItem& font : fonts)
    if (mono.empty() &&
        (font.label == "Courier New" || font.label == "Liberation Mono" || font.label == "DejaVu Sans Mono"))
      mono = font.label;
  ASSERT_FALSE(mono.empty()) << "no monospaced font is installed";
  // The list is longer than the screen: the keyboard scrolls the menu to the item.
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"File", "Font", mono}, 10000));
  ASSERT_TRUE(settle(main_));
  EXPECT_EQ(height_of(rect_in_parent(box(1))), 30);
}

// Loquat as a learner has it: the window never enlarged, so the editor's controls have no platform windows.
class LoquatAsLearner : public Loquat {
 protected:
  bool makes_editor_at_start() const override { return false; }
};

// The rows of the exercise table as the source holds them, cells split.
std::vector<std::vector<std::string>> exercise_rows() {
  std::string path = QL_SOURCE_DIR;
  path.append("/app/content/exercises.tsv");
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : split(harness::read_file(harness::windows_path_of_unix(path)), '\n'))
    if (!line.empty() && line[0] != '#') rows.push_back(split(line, '\t'));
  return rows;
}

TEST_F(LoquatAsLearner, TheEditorIsMadeOnlyWhenUncoveredAndThenHoldsWhatTheLessonPutThere) {
  for (int index : {int{kFdb1}, kFdb1 + 7, int{kListBox}, int{kNumbersStrip}, int{kPopupMenu1}})
    EXPECT_FALSE(control(index)) << "control " << index << " was made before it was seen";
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  ASSERT_TRUE(click_first_box());  // "start": the engine has written the item's cells into the fields
  ASSERT_TRUE(is_visible(box(1)));
  EXPECT_FALSE(control(kFdb1)) << "a lesson made the editor's fields";

  enlarge_window();
  const std::vector<std::vector<std::string>> table = exercise_rows();
  ASSERT_EQ(table.size(), 441u);
  const std::string row_text = fdb(1);
  ASSERT_FALSE(row_text.empty()) << "Fdb1 lost the row number written before it was made";
  const size_t row = std::stoul(row_text);
  ASSERT_LT(row, table.size());
  for (int n : {1, 2, 4, 5, 6, 7}) EXPECT_EQ(fdb(n), table[row][n - 1]) << "Fdb" << n << " of row " << row;
  const std::vector<std::string> rest = pool();
  ASSERT_FALSE(rest.empty());
  for (const std::string& number : rest) {
    ASSERT_LT(std::stoul(number), table.size());
    EXPECT_EQ(table[std::stoul(number)][1], table[row][1])
        << "row " << number << " is not of the lesson's set";
  }
  // With the fields made, the item is answered through them as before.
  EXPECT_TRUE(answer_item());
}

}  // namespace
}  // namespace ql::loquat_tests
