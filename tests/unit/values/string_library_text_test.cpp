// Substrings, case changes and trimming of the string library, through the entry points on the system's
// single-byte code page and through the DBCS paths on a fake double-byte one.
#include <gtest/gtest.h>

#include "code_page_expectation.h"
#include "quillet/string_library.h"
#include "quillet/strings.h"
#include "string_library_test_support.h"
#include "values/string_case.h"
#include "values/string_trim.h"

namespace ql {
namespace {

using testing::FakeDbcs;
using testing::make;
using testing::own;

TEST(StringLibrarySubstrings, EntryPointsClampAndShareTheWholeText) {
  StringRef s = make("abcdef");
  EXPECT_EQ(own(StringMid3(s.get(), 0, 3)), "ab");
  EXPECT_EQ(own(StringMid3(s.get(), 5, 10)), "ef");
  EXPECT_EQ(own(StringMid3(s.get(), -1, 3)), "a");
  EXPECT_EQ(own(StringMid3(s.get(), 7, 1)), "");
  EXPECT_EQ(own(StringMid2(s.get(), 6)), "f");
  EXPECT_EQ(own(StringMid2(s.get(), 7)), "");
  EXPECT_EQ(own(StringLeft(s.get(), 0)), "");
  EXPECT_EQ(own(StringLeft(s.get(), 2)), "ab");
  EXPECT_EQ(own(StringRight(s.get(), 2)), "ef");
  EXPECT_EQ(own(StringRight(s.get(), INT32_MIN)), "");
  QlString whole[] = {StringMid2(s.get(), -3), StringLeft(s.get(), INT32_MAX), StringRight(s.get(), 6),
                      StringMid3(s.get(), 1, 6)};
  for (QlString w : whole) EXPECT_EQ(w, s.get());
  EXPECT_EQ(s.get()->count, 5);
  for (QlString w : whole) RuntimeUnlockString(w);
}

TEST(StringLibraryCase, UpperAndLowerCopyTheWholeTextThroughTheCodePage) {
  QL_EXPECT_CODE_PAGE(1252);
  StringRef s = make("h\xE9llo W\xD6rld 1\xFF\xDF");
  StringRef upper(StringUCase(s.get()));
  EXPECT_EQ(testing::text(upper.get()), "H\xC9LLO W\xD6RLD 1\x9F\xDF");
  EXPECT_EQ(own(StringLCase(s.get())), "h\xE9llo w\xF6rld 1\xFF\xDF");
  EXPECT_EQ(testing::text(s.get()), "h\xE9llo W\xD6rld 1\xFF\xDF");  // the argument stays as it was
  EXPECT_NE(upper.get(), s.get());
  EXPECT_EQ(own(StringUCase(make(std::string("a\0b", 3)).get())), std::string("A\0B", 3));
  EXPECT_EQ(StringUCase(nullptr), nullptr);
  EXPECT_EQ(StringLCase(nullptr), nullptr);
}

TEST(StringLibraryCase, TitleCaseStartsWordsAfterBlanksOnly) {
  QL_EXPECT_CODE_PAGE(1252);
  auto title = [](const std::string& s) { return own(StringTitleCase(make(s).get())); };
  EXPECT_EQ(title("hELLO wORLD"), "Hello World");
  EXPECT_EQ(title("(hello"), "(hello");
  EXPECT_EQ(title("(HELLO there"), "(hello There");
  EXPECT_EQ(title("3RD pLACE"), "3rd Place");
  EXPECT_EQ(title("o'NEIL-SMITH"), "O'neil-smith");
  EXPECT_EQ(title("  two  spaces\tTAB\r\nline\xA0nbsp"), "  Two  Spaces\tTab\r\nLine\xA0Nbsp");
  EXPECT_EQ(title("\xE9\x43OLE \xC9T\xC9"), "\xC9\x63ole \xC9t\xE9");
  EXPECT_EQ(title("a"), "A");
  EXPECT_EQ(StringTitleCase(nullptr), nullptr);
}

TEST(StringLibraryCase, TitleCaseWalksDoubleByteCharacters) {
  const CodePage& dbcs = FakeDbcs::code_page();
  // Full-width "ab", an ideographic space, full-width "C", then "dE" after an ASCII space.
  StringRef s = make("\x82\x81\x82\x82\x81\x40\x82\x62 dE");
  EXPECT_EQ(own(title_case(s.get(), dbcs)), "\x82\x60\x82\x82\x81\x40\x82\x62 De");
  // Trail bytes that look like letters are never changed on their own.
  EXPECT_EQ(own(title_case(make("\x83\x61x \x83\x41Y").get(), dbcs)), "\x83\x61x \x83\x41y");
  // A lead byte with no trail byte ends the walk.
  EXPECT_EQ(own(title_case(make("aB \x82").get(), dbcs)), "Ab \x82");
}

TEST(StringLibraryTrim, SingleByteTrimDropsSpacesAndBlanks) {
  QL_EXPECT_CODE_PAGE(1252);
  StringRef s = make(" \t\xA0 a b \r\n\v\f");
  EXPECT_EQ(own(runLTrim(s.get())), "a b \r\n\v\f");
  EXPECT_EQ(own(runRTrim(s.get())), " \t\xA0 a b");
  EXPECT_EQ(own(runTrim(s.get())), "a b");
  EXPECT_EQ(runTrim(make(" \t \t ").get()), nullptr);
  EXPECT_EQ(runLTrim(make("\t").get()), nullptr);
  EXPECT_EQ(runTrim(nullptr), nullptr);
  // Neither NUL nor the soft hyphen is blank.
  EXPECT_EQ(own(runTrim(make(std::string("\0 x \xAD", 5)).get())), std::string("\0 x \xAD", 5));
  // The single-byte path takes the bytes alone: a lead byte means nothing here.
  EXPECT_EQ(own(trim(make("x\x82\xA0").get(), kTrimBoth, nullptr)), "x\x82");
  StringRef tight = make("x y");
  QlString same = runTrim(tight.get());
  EXPECT_EQ(same, tight.get());
  RuntimeUnlockString(same);
}

TEST(StringLibraryTrim, DbcsTrimDropsWholeBlankCharacters) {
  const CodePage& dbcs = FakeDbcs::code_page();
  // 0x82 0xA0 is one character whose trail byte is a blank byte of Windows-1252.
  StringRef s = make("\x81\x40 ab\x82\xA0 \x81\x40");
  EXPECT_EQ(own(trim(s.get(), kTrimLeading, &dbcs)), "ab\x82\xA0 \x81\x40");
  EXPECT_EQ(own(trim(s.get(), kTrimTrailing, &dbcs)), "\x81\x40 ab\x82\xA0");
  EXPECT_EQ(own(trim(s.get(), kTrimBoth, &dbcs)), "ab\x82\xA0");
  EXPECT_EQ(trim(make("\x81\x40 \x81\x40").get(), kTrimBoth, &dbcs), nullptr);
  EXPECT_EQ(own(trim(make(" a\x82").get(), kTrimBoth, &dbcs)), "a\x82");
}

}  // namespace
}  // namespace ql
