// Loquat as it opens: the credits screen over an empty lesson window, the menu bar.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(Loquat, OpensOnTheCreditsScreen) {
  ASSERT_TRUE(choose_menu_item(main_, {"File", "About Loquat"}));
  settle(main_);
  save_screenshot("about");
  ASSERT_TRUE(choose_menu_item(main_, {"Articles", "1 Basic Rules"}));
  settle(main_);
  for (HWND child : children()) if (is_visible(child)) printf("%s\n", describe_window(child).c_str());
  HWND examples = find_child(main_, {.at = POINT{240, 320}});
  printf("at: %s\n", describe_window(examples).c_str());
  click_in(main_, {240, 320});
  settle(main_);
  save_screenshot("examples");
}

}  // namespace
}  // namespace ql::loquat_tests
