// Menu texts as the platform menu is given them: "&" before a letter or digit marks the access key, any
// other "&" is shown as written.
#include <gtest/gtest.h>

#include "app/menu_label.h"

namespace ql::testing {
namespace {

TEST(MenuLabel, AnAmpersandMarksOnlyALetterOrDigitAndIsOtherwiseShownAsWritten) {
  EXPECT_EQ(platform_label("5 Some & Any"), "5 Some && Any");
  EXPECT_EQ(platform_label("&File"), "&File");
  EXPECT_EQ(platform_label("Save &2"), "Save &2");
  EXPECT_EQ(platform_label("Rock&"), "Rock&&");
  EXPECT_EQ(platform_label("a && b"), "a &&&& b");
  EXPECT_EQ(platform_label("&-"), "&&-");
  EXPECT_EQ(platform_label("Fish &\tChips"), "Fish &&\tChips");
  EXPECT_EQ(platform_label("Caf\xe9 &\xe9t\xe9"),
            "Caf\xe9 &&\xe9t\xe9");  // a letter beyond ASCII marks no key
  EXPECT_EQ(platform_label("-"), "-");
  EXPECT_EQ(platform_label(""), "");
}

}  // namespace
}  // namespace ql::testing
