// Menus read from another process, chosen with the mouse and with the keyboard; message boxes they open,
// answered automatically or by the test.
#include <windows.h>

#include "target_fixture.h"

namespace ql::driver {
namespace {

using DriverMenus = DriverTarget;

std::vector<std::string> labels(const std::vector<MenuItem>& items) {
  std::vector<std::string> found;
  for (const MenuItem& item : items) found.push_back(item.separator ? "-" : item.label);
  return found;
}

TEST_F(DriverMenus, ReadsItemsTextsAndStates) {
  std::vector<MenuItem> bar = menu_items(main_);
  EXPECT_EQ(labels(bar), (Lines{"File", "View"}));
  ASSERT_EQ(bar.size(), 2u);
  ASSERT_TRUE(bar[0].submenu);
  ASSERT_TRUE(bar[0].rect);  // the menu bar always shows
  EXPECT_EQ(labels(menu_items(main_, bar[0].submenu)),
            (Lines{"Open...", "Recent", "Greyed item", "Word wrap", "-", "Say hello", "Exit"}));

  std::optional<MenuItem> open = menu_item(main_, {"File", "Open..."});
  ASSERT_TRUE(open);
  EXPECT_EQ(open->text, "&Open...\tCtrl+O");
  EXPECT_EQ(open->shortcut, "Ctrl+O");
  EXPECT_EQ(open->access_key, 'O');
  EXPECT_EQ(open->id, 101u);
  EXPECT_TRUE(open->enabled);
  EXPECT_FALSE(open->checked);
  EXPECT_FALSE(open->rect);  // its popup is not showing
  // Paths may name items as the menu holds them, with "&" and the shortcut.
  EXPECT_EQ(find_menu_item(main_, {"&File", "&Open...\tCtrl+O"})->id, 101u);
  EXPECT_EQ(find_menu_item(main_, {"File", "Recent", "Deeper", "Bottom"})->id, 211u);
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Greyed item"}, false, false));
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Word wrap"}, true, true));

  EXPECT_FALSE(find_menu_item(main_, {"File", "Close"}));
  EXPECT_NONFATAL_FAILURE(
      menu_item(main_, {"File", "Close"}),
      "no item \"Close\" in \"File\", which holds \"Open...\", \"Recent\", \"Greyed item\"");
  EXPECT_NONFATAL_FAILURE(expect_menu_item_state(main_, {"File", "Word wrap"}, true, false),
                          "is enabled, checked, expected enabled");
}

TEST_F(DriverMenus, ChoosesItemsByMouseAndByKeyboard) {
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Open..."}));
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Recent", "Deeper", "Bottom"}));
  EXPECT_EQ(new_log(), (Lines{"command 101 menu", "command 211 menu"}));

  // Access keys where items have them, arrow keys where they do not ("Second file").
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"File", "Recent", "Second file"}));
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"View", "Blue pane"}));
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"File", "Word wrap"}));
  EXPECT_EQ(new_log(), (Lines{"command 202 menu", "command 301 menu", "command 103 menu"}));
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Word wrap"}, true, false));
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Word wrap"}));
  EXPECT_TRUE(expect_menu_item_state(main_, {"File", "Word wrap"}, true, true));

  // Alt held with a title's access key opens that menu, as from a keyboard; Escape closes it again.
  press_key('V', kAlt);
  std::optional<MenuItem> view = menu_item(main_, {"View"});
  ASSERT_TRUE(view);
  ASSERT_TRUE(
      wait_until([&] { return open_menus(main_).size() == 1 && open_menus(main_)[0].menu == view->submenu; },
                 "the View menu to open", 2000));
  EXPECT_TRUE(close_menus(main_));

  // A greyed item cannot be chosen: the check fails and the menu is left closed.
  EXPECT_NONFATAL_FAILURE(choose_menu_item(main_, {"File", "Greyed item"}), "\"Greyed item\" is greyed");
  EXPECT_NONFATAL_FAILURE(choose_menu_item_by_keys(main_, {"File", "Recent", "Third file"}),
                          "no item \"Third file\" in \"Recent\"");
  EXPECT_TRUE(open_menus(main_).empty());
  EXPECT_FALSE(in_menu_mode(main_));
  EXPECT_EQ(new_log(), (Lines{"command 103 menu"}));
}

TEST_F(DriverMenus, MessageBoxesAreAnsweredAutomaticallyOrHeldForTheTest) {
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Say hello"}));
  ASSERT_TRUE(wait_until([&] { return log().size() == 2; }, "the box to be answered", 3000));
  EXPECT_EQ(new_log(), (Lines{"command 104 menu", "box answered 1"}));  // its default button, OK

  program_->hold_message_boxes();
  ASSERT_TRUE(choose_menu_item_by_keys(main_, {"File", "Say hello"}));
  ShownBox box = program_->wait_for_message_box("Hello from the menu", 3000);
  ASSERT_TRUE(box.window);
  EXPECT_EQ(box.content.caption, "Driver target");
  // Recorded by the answerer, which would have pressed it in that same look: it waits for the test.
  ASSERT_TRUE(
      wait_until([&] { return program_->message_boxes().size() == 2; }, "the held box to be recorded"));
  EXPECT_TRUE(IsWindowVisible(box.window));
  ASSERT_TRUE(press_button(box.window, "Cancel"));
  ASSERT_TRUE(wait_for_window_gone(box.window, 2000));
  settle(main_);
  EXPECT_EQ(new_log(), (Lines{"command 104 menu", "box answered 2"}));

  std::vector<harness::MessageBox> boxes = program_->message_boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "Hello from the menu");
  ProgramEnd end = program_->end();
  EXPECT_EQ(end.how, ProgramEnd::How::closed);
  EXPECT_EQ(end.boxes.size(), 2u);
}

}  // namespace
}  // namespace ql::driver
