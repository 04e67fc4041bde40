// The checker's model of the lesson engine: text widths as GDI measures them under Wine, the runtime's
// title case and fields, and the segments the engine cuts a pattern into.
#include <gtest/gtest.h>

#include "lessontable/engine_text.h"
#include "lessontable/pattern.h"
#include "lessontable/recordings.h"
#include "qlimage/file_io.h"
#include "rules/canvas.h"
#include "rules/text_widths.h"

namespace lessontable_test {
namespace {

using Segments = std::vector<std::vector<std::string>>;

TEST(EngineModel, WidthsMatchWineArialAt34Pixels) {
  // GetTextExtentPointA of Arial at height -34 under Wine (Liberation Sans): no kerning between A and V.
  EXPECT_EQ(loquat::rules::sentence_width("AVAV the Wa"), 208);
  EXPECT_EQ(loquat::rules::sentence_width("\xA3"), 19);
  EXPECT_EQ(loquat::rules::sentence_width(""), 0);
  EXPECT_FALSE(loquat::rules::is_printable(0x81));
  EXPECT_FALSE(loquat::rules::is_printable('\t'));
  EXPECT_TRUE(loquat::rules::is_printable(0x80));  // the euro sign
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

  lessontable::Pattern pattern = lessontable::read_pattern("@(I think,They say) _ /(sports,sweets).");
  EXPECT_TRUE(pattern.left_aligned);
  EXPECT_EQ(lessontable::combination_count(pattern), 4u);
  std::vector<std::string> chosen;
  EXPECT_EQ(lessontable::expand(pattern, 3, &chosen), "They say _ /sweets.");
  EXPECT_EQ(chosen, (std::vector<std::string>{"They say", "sweets"}));
  EXPECT_EQ(loquat::rules::baseline(7, 1), 0);
  EXPECT_EQ(loquat::rules::baseline(5, 2), 107);
  EXPECT_EQ(loquat::rules::baseline(9, 9), 300);
}

// The table check accepts exactly the words that have both speakers' recordings, in their order.
TEST(EngineModel, TheCheckKnowsTheRecordedWords) {
  const std::string sounds = LESSONTABLE_CONTENT_DIR "/../sounds/";
  std::string error;
  std::optional<qlimage::Bytes> list = qlimage::read_file(sounds + "words.txt", error);
  ASSERT_TRUE(list) << error;
  std::vector<std::string> words = lessontable::split_fields(std::string(list->begin(), list->end()), "\n");
  if (!words.empty() && words.back().empty()) words.pop_back();
  ASSERT_EQ(words.size(), lessontable::recorded_words().size());
  for (size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(words[i], lessontable::recorded_words()[i]);
    for (const char* speaker : {"maren/", "rowan/"}) {
      EXPECT_TRUE(qlimage::read_file(sounds + speaker + words[i] + ".u8", error)) << error;
    }
  }
  EXPECT_FALSE(lessontable::has_recording("Lazer"));
}

}  // namespace
}  // namespace lessontable_test
