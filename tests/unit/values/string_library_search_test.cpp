// StringInStr, StringDBCSInStr and the search step behind the rest of the library.
#include <gtest/gtest.h>

#include "code_page_expectation.h"
#include "quillet/string_library.h"
#include "string_library_test_support.h"
#include "values/string_search.h"

namespace ql {
namespace {

using testing::FakeDbcs;
using testing::make;

int32_t in_str(int32_t start, const std::string& s, const std::string& find) {
  return StringInStr(start, make(s).get(), make(find).get());
}

TEST(StringLibrarySearch, InStrFindsFromStartIgnoringCase) {
  QL_EXPECT_CODE_PAGE(1252);
  EXPECT_EQ(in_str(1, "Hello", "LL"), 3);
  EXPECT_EQ(in_str(5, "abc", "b"), 0);
  EXPECT_EQ(in_str(3, "abc", ""), 2);
  EXPECT_EQ(in_str(1, "abc", ""), 0);
  EXPECT_EQ(in_str(1, "", "a"), 0);
  EXPECT_EQ(in_str(1, "", ""), 0);
  EXPECT_EQ(in_str(2, "abcabc", "ABC"), 4);
  EXPECT_EQ(in_str(4, "abcabc", "abc"), 4);
  EXPECT_EQ(in_str(5, "abcabc", "abc"), 0);
  EXPECT_EQ(in_str(-7, "xay", "A"), 2);
  EXPECT_EQ(in_str(1, "ab", "abc"), 0);
  EXPECT_EQ(in_str(1, "aaab", "aab"), 2);  // a partial match does not skip the next candidate
  EXPECT_EQ(in_str(1, "caf\xC9 au lait", "\xE9 AU"), 4);
  EXPECT_EQ(in_str(1, "\xFF", "\x9F"), 1);  // y with diaeresis and its capital
  EXPECT_EQ(in_str(1, std::string("a\0b", 3), std::string("\0B", 2)), 2);
  // Positions never overflow; an empty find answers start - 1 even below 1, which the search step relies on.
  EXPECT_EQ(in_str(INT32_MIN, "abc", "c"), 3);
  EXPECT_EQ(in_str(INT32_MAX, "abc", "c"), 0);
  EXPECT_EQ(in_str(INT32_MIN, "abc", ""), INT32_MIN);
  EXPECT_EQ(in_str(-5, "abc", ""), -6);
  EXPECT_EQ(in_str(0, "abc", ""), -1);
  EXPECT_EQ(StringDBCSInStr(0, make("abc").get(), nullptr), -1);
}

TEST(StringLibrarySearch, SearchStepSkipsMatchesBeforeItsOffset) {
  QL_EXPECT_CODE_PAGE(1252);
  StringRef text = make("x, y,,Z,");
  StringRef comma = make(",");
  TextSearch search(text.get(), comma.get(), nullptr);
  EXPECT_EQ(search.next(0), 1);
  EXPECT_EQ(search.next(2), 4);
  EXPECT_EQ(search.next(5), 5);
  EXPECT_EQ(search.next(6), 7);
  EXPECT_EQ(search.next(8), -1);
  EXPECT_EQ(search.next(-100), 1);
  StringRef z = make("z,");
  TextSearch letters(text.get(), z.get(), nullptr);  // a first byte with two cases
  EXPECT_EQ(letters.next(0), 6);
  EXPECT_EQ(letters.next(7), -1);
  StringRef empty;
  EXPECT_EQ(TextSearch(text.get(), empty.get(), nullptr).next(0), -1);
  EXPECT_EQ(TextSearch(empty.get(), comma.get(), nullptr).next(0), -1);
}

TEST(StringLibrarySearch, DbcsMatchesStartOnCharacterBoundariesOnly) {
  const CodePage& dbcs = FakeDbcs::code_page();
  // The trail byte of 0x82 0x41 is an "A" byte, and 0x81 0x40 straddles the boundary in "\x82\x81@".
  StringRef s = make("\x82\x41\x82\x81@a");
  EXPECT_EQ(ql::in_str(1, s.get(), make("A").get(), &dbcs), 6);
  if (testing::ansi_code_page() == 1252) {  // the single-byte path runs only without lead bytes
    EXPECT_EQ(ql::in_str(1, s.get(), make("A").get(), nullptr), 2);
  }
  EXPECT_EQ(ql::in_str(1, s.get(), make("\x81@").get(), &dbcs), 0);
  if (testing::ansi_code_page() == 1252) {  // the single-byte path runs only without lead bytes
    EXPECT_EQ(ql::in_str(1, s.get(), make("\x81@").get(), nullptr), 4);
  }
  // Full-width letters match in either case.
  EXPECT_EQ(ql::in_str(1, s.get(), make("\x82\x60@").get(), &dbcs), 3);
  EXPECT_EQ(ql::in_str(4, s.get(), make("\x82\x60@").get(), &dbcs), 0);
}

// "a", a two-byte character, "b", another, "c": 5 characters in 7 bytes.
const char kMixed[] =
    "a\x82\xA0"
    "b\x83\x40"
    "c";

TEST(StringLibrarySearch, DbcsInStrCountsInCharacters) {
  const CodePage& dbcs = FakeDbcs::code_page();
  StringRef s = make(kMixed);
  auto chars = [&](int32_t start, const std::string& find) {
    return in_str_chars(start, s.get(), make(find).get(), dbcs);
  };
  EXPECT_EQ(chars(1, "B"), 3);
  EXPECT_EQ(chars(1, "c"), 5);
  EXPECT_EQ(chars(1, "\x83\x40"), 4);
  EXPECT_EQ(chars(3, "b"), 3);
  EXPECT_EQ(chars(4, "b"), 0);
  EXPECT_EQ(chars(0, "\x82\xA0"), 2);
  EXPECT_EQ(chars(INT32_MIN, "a"), 1);
  EXPECT_EQ(chars(INT32_MAX, "c"), 0);
  EXPECT_EQ(chars(3, ""), 2);  // an empty find answers start - 1, as in bytes
  EXPECT_EQ(chars(4, ""), 3);
  EXPECT_EQ(chars(5, ""), 4);
  EXPECT_EQ(chars(0, ""), -1);  // start 0 stays 0 in bytes, and 0 - 1 is what an empty find answers
  // Without lead bytes the entry point is StringInStr itself.
  if (testing::ansi_code_page() != 1252) return;
  for (int32_t start : {INT32_MIN, -1, 0, 1, 2, 3, 4, 7, 8, INT32_MAX}) {
    for (const char* find : {"", "b", "\x83\x40", "C", "zz"}) {
      EXPECT_EQ(StringDBCSInStr(start, s.get(), make(find).get()),
                StringInStr(start, s.get(), make(find).get()))
          << start << " " << find;
    }
  }
}

}  // namespace
}  // namespace ql
