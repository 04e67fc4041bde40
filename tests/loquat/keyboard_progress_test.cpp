// Beyond the mouse and beyond one start: a lesson taken by keyboard alone, wrong answers marked on screen,
// progress and settings kept in %APPDATA%\Loquat\progress.txt and read at the next start, past mistakes
// reviewed, the Progress picture, and a damaged progress file set aside.
#include <strings.h>

#include <algorithm>
#include <iterator>

#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 100, 0);

int red_in(HWND window) {
  ScreenCapture capture(client_rect_on_screen(window));
  return capture.count(kRed, 40);
}

class LoquatKept : public Loquat {
 protected:
  std::string kept_folder() const { return folder_ + "Loquat\\"; }
  std::string progress_text() const { return harness::read_file(kept_folder() + "progress.txt"); }

  // The choice boxes on show, in reading order: rows from the top, left to right.
  std::vector<int> reading_order() const {
    std::vector<int> boxes;
    const int choices = static_cast<int>(split(fdb(5), ',').size());
    for (int i = 1; i <= choices; ++i)
      if (is_visible(box(i)) && rect_in_parent(box(i)).top >= 0) boxes.push_back(i);
    std::sort(boxes.begin(), boxes.end(), [&](int a, int b) {
      RECT ra = rect_in_parent(box(a)), rb = rect_in_parent(box(b));
      return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return boxes;
  }
  // The key that chooses box i: its place in reading order, along the top row from 1 to "=".
  WORD key_for(int i) const {
    std::vector<int> order = reading_order();
    auto at = std::find(order.begin(), order.end(), i);
    EXPECT_NE(at, order.end()) << "box " << i << " is not on show";
    const WORD keys[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_OEM_MINUS, VK_OEM_PLUS};
    const size_t place = static_cast<size_t>(at - order.begin());
    EXPECT_LT(place, std::size(keys)) << "box " << i << " has no key";
    return place < std::size(keys) ? keys[place] : WORD(0);
  }
  int box_with(const std::string& caption) const {
    std::vector<std::string> choices = split(fdb(5), ',');
    for (int i = 0; i < static_cast<int>(choices.size()); ++i)
      if (strcasecmp(trimmed(choices[i]).c_str(), caption.c_str()) == 0) return i + 1;
    return 0;
  }
  int wrong_box() const {
    std::string wanted = trimmed(split(fdb(4), ',')[0]);
    std::vector<std::string> choices = split(fdb(5), ',');
    for (int i = 0; i < static_cast<int>(choices.size()); ++i)
      if (trimmed(choices[i]) != wanted) return i + 1;
    return 0;
  }
  void press(WORD key) {
    press_key(key);
    settle(main_);
  }
  // Answers the item on show by keys; with a fault, a wrong key first. Its row when it had a fault.
  std::string answer_by_keys(bool with_fault) {
    const std::string row = fdb(1);
    if (with_fault) press(key_for(wrong_box()));
    for (int keys = 0; keys < 40 && !trimmed(fdb(4)).empty(); ++keys)
      press(key_for(box_with(trimmed(split(fdb(4), ',')[0]))));
    EXPECT_EQ(trimmed(fdb(4)), "") << "the keys did not answer the item";
    return with_fault ? row : std::string();
  }
  // Takes the lesson on show by keys from its first box, faulting the first item; that item's row.
  std::string take_by_keys() {
    press(VK_RETURN);  // "start" or "examples"
    std::string faulted = answer_by_keys(true);
    for (int shown = 0; !pool().empty() && shown < 50; ++shown) {
      press(VK_SPACE);  // "next"
      answer_by_keys(false);
    }
    EXPECT_TRUE(pool().empty());
    return faulted;
  }
  // Ends the program as a learner would and starts it again on the same folders.
  void restart() {
    ProgramEnd end = program_->end();
    EXPECT_EQ(end.how, ProgramEnd::How::closed) << to_string(end.how);
    program_ = std::make_unique<Program>("\"" + program_path() + "\"", folder_);
    ASSERT_TRUE(program_->started());
    main_ = wait_for_window(*program_, {.text = "Loquat"}, 15000);
    ASSERT_TRUE(main_);
    ASSERT_TRUE(settle(main_));
    make_editor();
  }
  std::vector<std::string> checked_in(const MenuPath& path) {
    std::vector<std::string> checked;
    // The marks are the program's as the submenu opens.
    if (!look_into_menus(main_, path)) return checked;
    std::optional<MenuItem> menu = menu_item(main_, path);
    if (menu && menu->submenu)
      for (const MenuItem& item : menu_items(main_, menu->submenu))
        if (item.checked) checked.push_back(item.label);
    return checked;
  }
};

TEST_F(LoquatKept, BasicRulesIsTakenByKeyboardAloneAndNoKeyReachesTheHiddenEditor) {
  const std::string popup = window_text(control(kPopupMenu1));
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"Articles", "1 Basic Rules"}));
  ASSERT_TRUE(settle(main_));
  const std::vector<std::string> lesson = pool();
  ASSERT_EQ(lesson.size(), 3u);
  // Tab and the arrows would move into the editor beyond the window and change its popup.
  for (WORD key : {WORD(VK_TAB), WORD(VK_DOWN), WORD(VK_DOWN), WORD(VK_TAB), WORD(VK_UP)}) press(key);
  EXPECT_EQ(window_text(control(kPopupMenu1)), popup) << "the arrows changed the hidden popup";
  HWND focus = focused_window(main_);
  EXPECT_TRUE(focus == nullptr || focus == main_) << "the focus went to " << describe_window(focus);

  press(VK_RETURN);  // "examples"
  ASSERT_FALSE(trimmed(fdb(4)).empty()) << "Enter did not start the lesson";
  for (int shown = 1; shown <= 3; ++shown) {
    answer_by_keys(false);
    if (shown == 1 && fdb(6).size() > 5) {
      type_text("?");
      settle(main_);
      EXPECT_TRUE(is_visible(control(kNoteField))) << "\"?\" did not show the explanation";
    }
    if (pool().empty()) break;
    press(VK_SPACE);  // "next"
  }
  EXPECT_TRUE(pool().empty());
  expect_title("Articles 1 - THE BASIC RULE - Perfect Score");
  press(VK_RETURN);  // "end"
  for (int i = 0; i <= 15; ++i) EXPECT_FALSE(is_visible(box(i))) << i;
  // The editor's own keys work once it shows.
  enlarge_window();
  ASSERT_TRUE(click(control(kPopupMenu1)));
  press(VK_ESCAPE);
  press(VK_DOWN);
  EXPECT_NE(window_text(control(kPopupMenu1)), popup) << "the editor's popup no longer takes its keys";
}

// "13 Advanced" holds proverbs of ten and twelve words: 0, "-" and "=" choose the tenth to the twelfth.
TEST_F(LoquatKept, TheLongestProverbsAreRebuiltByTheKeysOfTheTopRow) {
  ASSERT_TRUE(choose({"Proverbs", "13 Advanced"}));
  ASSERT_EQ(pool().size(), 20u);
  press(VK_RETURN);  // "start"
  // Items are taken by keys until the twelve-word proverb has been rebuilt; every item leaves the pool.
  size_t longest = 0;
  for (size_t shown = 1; shown <= 20 && longest < 12; ++shown) {
    longest = std::max(longest, reading_order().size());
    answer_by_keys(false);
    EXPECT_EQ(pool().size(), 20 - shown);
    if (!pool().empty()) press(VK_SPACE);  // "next"
  }
  EXPECT_EQ(longest, 12u);
}

TEST_F(LoquatKept, AWrongAnswerIsMarkedWhileAskedForOrWhileClicksAreOff) {
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  press(VK_RETURN);  // "start"
  // Off at first and clicking on: a wrong key changes nothing on screen, as a wrong click does not.
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Mark Wrong Answers"}, true, false));
  const ScreenCapture before = ScreenCapture::of_window(main_);
  const int wrong = wrong_box();
  press(key_for(wrong));
  const ScreenCapture after = ScreenCapture::of_window(main_);
  EXPECT_EQ(before.pixels(), after.pixels()) << "a wrong answer changed the screen";

  ASSERT_TRUE(choose({"File", "Mark Wrong Answers"}));
  ASSERT_TRUE(look_into_menu(main_, "File"));
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Mark Wrong Answers"}, true, true));
  EXPECT_EQ(red_in(box(wrong)), 0);
  press(key_for(wrong));
  EXPECT_GT(red_in(box(wrong)), width_of(client_rect(box(wrong)))) << "the wrong box is not struck through";
  answer_by_keys(false);  // the right answer clears the mark
  EXPECT_EQ(red_in(box(wrong)), 0);

  // Marks off, clicks off: a wrong box is marked all the same.
  ASSERT_TRUE(choose({"File", "Mark Wrong Answers"}));
  ASSERT_TRUE(choose({"File", "Clicking Off"}));
  press(VK_SPACE);  // "next"
  const int other = wrong_box();
  press(key_for(other));
  EXPECT_GT(red_in(box(other)), width_of(client_rect(box(other))));
}

TEST_F(LoquatKept, ProgressAndSettingsOutliveTheProgramAndReviewMistakesPoolsTheFaultedRows) {
  // Two lessons, each with one item faulted; then a font, a voice, clicks off, marks on.
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  const std::string first = take_by_keys();
  expect_title("Articles 1 - THE BASIC RULE - 3 items, 2 correct.");
  ASSERT_TRUE(choose({"Articles", "12  Illnesses"}));
  const std::string second = take_by_keys();
  expect_title("Articles 12 - ILLNESSES - 2 items, 1 correct.");
  press(VK_RETURN);  // "end": the end screen counts the faulted item, below "PLEASE CHOOSE AGAIN"
  RECT told = client_rect_on_screen(control(kBigCanvas));
  told.top += 262;
  told.bottom = told.top + 50;
  EXPECT_GT(ScreenCapture(told).count(RGB(0, 0, 100), 40), 200) << "the end screen does not tell the fault";
  // Fonts can be chosen on the end screen: the font submenu opens and lists them.
  ASSERT_TRUE(look_into_menus(main_, {"File", "Font"}));
  std::string mono;
  for (const char* face : {"Courier New", "Liberation Mono", "DejaVu Sans Mono"})
    if (mono.empty() && find_menu_item(main_, {"File", "Font", face})) mono = face;
  ASSERT_FALSE(mono.empty());
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"File", "Font", mono}, 10000));
  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Maren"}));
  ASSERT_TRUE(choose({"File", "Clicking Off"}));
  ASSERT_TRUE(choose({"File", "Mark Wrong Answers"}));

  restart();
  const std::string kept = progress_text();
  EXPECT_EQ(kept.rfind("Loquat progress 1\r\n", 0), 0u) << kept;
  EXPECT_NE(kept.find("\tArticles 1 - THE BASIC RULE -\t3\t2\t" + first + "\r\n"), std::string::npos) << kept;
  EXPECT_NE(kept.find("\tArticles 12 - ILLNESSES -\t2\t1\t" + second + "\r\n"), std::string::npos) << kept;
  EXPECT_FALSE(GetFileAttributesA((kept_folder() + "progress.tmp").c_str()) != INVALID_FILE_ATTRIBUTES);
  // The same settings at the second start (the font submenu opens once a lesson lets fonts be chosen).
  ASSERT_TRUE(look_into_menu(main_, "File"));
  ASSERT_TRUE(look_into_menu(main_, "Sounds"));
  EXPECT_EQ(checked_in({"Sounds", "Choose Voice"}), std::vector<std::string>{"Maren"});
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Clicking On"}, true, false));
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Mark Wrong Answers"}, true, true));

  // The review pools exactly the faulted rows, the most recent first; answered cleanly they leave it.
  ASSERT_TRUE(choose({"Articles", "Review Mistakes"}));
  EXPECT_EQ(pool(), (std::vector<std::string>{second, first}));
  expect_title("REVIEW ARTICLES - 2 items");
  EXPECT_EQ(height_of(rect_in_parent(box(1))), 30) << "the kept font is not in use";
  EXPECT_EQ(checked_in({"File", "Font"}), std::vector<std::string>{mono});
  press(VK_RETURN);  // "start"
  // One row answered, and the review left before its end: that row has left the list, the other stays.
  const std::string answered = fdb(1);
  answer_by_keys(false);
  ASSERT_TRUE(choose({"Articles", "Review Mistakes"}));
  EXPECT_EQ(pool(), std::vector<std::string>{answered == first ? second : first});
  press(VK_RETURN);  // "start"
  answer_by_keys(false);
  expect_title("REVIEW ARTICLES - Perfect Score");
  ASSERT_TRUE(choose({"Articles", "Review Mistakes"}));
  EXPECT_TRUE(pool().empty());
  EXPECT_FALSE(is_visible(box(1))) << "nothing to review, and yet a box";
  RECT below_logo = client_rect_on_screen(control(kBigCanvas));
  below_logo.top += 215;
  below_logo.bottom = below_logo.top + 65;
  EXPECT_GT(ScreenCapture(below_logo).count(RGB(0, 0, 100), 40), 200)
      << "the screen does not say there is nothing to review";

  // Progress: a bar for each lesson, as long as its last score, in the order of the menus.
  ASSERT_TRUE(choose({"File", "Progress"}));
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  ScreenCapture picture(canvas);
  const int bar_lengths[] = {120, 90, 180};  // 2 of 3, 1 of 2, 2 of 2 over 180 pixels
  for (int row = 0; row < 3; ++row) {
    const int y = canvas.top + 58 + 19 * row - 5;
    int green = 0;
    for (int x = canvas.left; x < canvas.right; ++x) green += colors_close(picture.at({x, y}), kGreen, 30);
    EXPECT_NEAR(green, bar_lengths[row], 2) << "row " << row;
  }
  EXPECT_EQ(picture.count(kGreen, 30), (120 + 90 + 180) * 11);
}

TEST_F(LoquatKept, ADamagedProgressFileIsSetAsideAndToldOnce) {
  program_->end();
  CreateDirectoryA(kept_folder().c_str(), nullptr);
  const std::string damaged = "Loquat progress 1\r\nvoice\tmaren\r\nlesson\t2024-01-01 10:00\tArt";
  ASSERT_TRUE(harness::write_file(kept_folder() + "progress.txt", damaged));
  program_ = std::make_unique<Program>("\"" + program_path() + "\"", folder_);
  main_ = wait_for_window(*program_, {.text = "Loquat"}, 15000);
  ASSERT_TRUE(main_);
  ASSERT_TRUE(settle(main_));
  ASSERT_TRUE(wait_until([&] { return !program_->message_boxes().empty(); }, "the damage to be told"));
  std::vector<harness::MessageBox> told = program_->message_boxes();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].text.find("progress-damaged.txt"), std::string::npos) << told[0].text;
  EXPECT_EQ(harness::read_file(kept_folder() + "progress-damaged.txt"), damaged);
  // Nothing of the damaged file is taken: the voice is still the first one.
  ASSERT_TRUE(look_into_menu(main_, "Sounds"));
  EXPECT_EQ(checked_in({"Sounds", "Choose Voice"}), std::vector<std::string>{"Rowan"});
  // A setting changed writes a whole new file; the next start tells nothing.
  ASSERT_TRUE(choose({"File", "Clicking Off"}));
  EXPECT_EQ(progress_text().rfind("Loquat progress 1\r\n", 0), 0u);
  restart();
  EXPECT_TRUE(program_->message_boxes().empty());
  EXPECT_TRUE(find_menu_item(main_, {"File", "Clicking On"}));
  EXPECT_TRUE(program_->running());
}

}  // namespace
}  // namespace ql::loquat_tests
