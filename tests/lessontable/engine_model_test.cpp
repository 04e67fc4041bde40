// The checker's model of the lesson engine: text widths as GDI measures them under Wine, the runtime's
// title case and fields, and the segments the engine cuts a pattern into.
#include <gtest/gtest.h>

#include "lessontable/engine_text.h"
#include "lessontable/pattern.h"
#include "lessontable/text_width.h"

namespace lessontable_test {
namespace {

using Segments = std::vector<std::vector<std::string>>;

TEST(EngineModel, WidthsMatchWineArialAt34Pixels) {
  // GetTextExtentPointA of Arial at height -34 under Wine (Liberation Sans): no kerning between A and V.
  EXPECT_EQ(lessontable::sentence_width("AVAV the Wa"), 208);
  EXPECT_EQ(lessontable::sentence_width("\xA3"), 19);
  EXPECT_EQ(lessontable::sentence_width(""), 0);
  EXPECT_FALSE(lessontable::is_printable(0x81));
  EXPECT_FALSE(lessontable::is_printable('\t'));
  EXPECT_TRUE(lessontable::is_printable(0x80));  // the euro sign
}

TEST(EngineModel, RuntimeStringSemantics) {
  EXPECT_EQ(lessontable::title_case("hELLO wORLD"), "Hello World");
  EXPECT_EQ(lessontable::title_case("(hello"), "(hello");
  EXPECT_EQ(lessontable::title_case("don't"), "Don't");
  EXPECT_EQ(lessontable::split_fields("a,b,,c", ",").size(), 4u);
  EXPECT_TRUE(lessontable::split_fields("", ",").empty());
  EXPECT_EQ(lessontable::nth_field("a,b", ",", 3), "");
  EXPECT_EQ(lessontable::replace_first("The cat and the hat", "THE", "a"), "a cat and the hat");
}

TEST(EngineModel, PatternSegments) {
  EXPECT_EQ(lessontable::display_segments("Paris is _ capital/of France."),
            (Segments{{"Paris is ", "_", " capital"}, {"of France."}}));
  EXPECT_EQ(lessontable::display_segments("_ dinner is ready."), (Segments{{"_", " dinner is ready."}}));
  // A pattern ending in a gap has an empty last segment.
  EXPECT_EQ(lessontable::display_segments("Look at _/books on _"),
            (Segments{{"Look at ", "_"}, {"books on ", "_", ""}}));

  std::string error;
  std::optional<lessontable::Pattern> pattern =
      lessontable::parse_pattern("@(I think,They say) _ /(sports,sweets).", error);
  ASSERT_TRUE(pattern) << error;
  EXPECT_TRUE(pattern->left_aligned);
  EXPECT_EQ(lessontable::combination_count(*pattern), 4u);
  std::vector<std::string> chosen;
  EXPECT_EQ(lessontable::expand(*pattern, 3, &chosen), "They say _ /sweets.");
  EXPECT_EQ(chosen, (std::vector<std::string>{"They say", "sweets"}));
  EXPECT_FALSE(lessontable::baselines(7));
  EXPECT_EQ(*lessontable::baselines(5), (std::vector<int>{60, 107, 155, 202, 250}));
}

}  // namespace
}  // namespace lessontable_test
