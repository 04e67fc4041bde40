// Beyond the mouse: a lesson taken by keyboard alone, and wrong answers marked on screen.
#include <algorithm>

#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

int red_in(HWND window) {
  ScreenCapture capture(client_rect_on_screen(window));
  return capture.count(kRed, 40);
}

class LoquatKept : public Loquat {
 protected:
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
  // The key that chooses box i: its place in reading order.
  WORD key_for(int i) const {
    std::vector<int> order = reading_order();
    auto at = std::find(order.begin(), order.end(), i);
    EXPECT_NE(at, order.end()) << "box " << i << " is not on show";
    return static_cast<WORD>('1' + (at - order.begin()));
  }
  int box_with(const std::string& caption) const {
    std::vector<std::string> choices = split(fdb(5), ',');
    for (int i = 0; i < static_cast<int>(choices.size()); ++i)
      if (trimmed(choices[i]) == caption) return i + 1;
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

}  // namespace
}  // namespace ql::loquat_tests
