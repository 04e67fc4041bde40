// The locale comparisons run against the system on Windows and against the host's code page model
// elsewhere; both must give these answers (code page 1252, user locale en-US).
#include <gtest/gtest.h>

#include "code_page_expectation.h"
#include "quillet/strings.h"
#include "string_test_support.h"
#include "values/char_tables.h"

namespace ql {
namespace {

using testing::make;

int32_t compare(const char* a, const char* b) { return RuntimeStringCompare(make(a).get(), make(b).get()); }
int32_t compare_mode(const char* a, const char* b, int32_t mode) {
  return StringStrCompare(make(a).get(), make(b).get(), mode);
}

TEST(RuntimeStringCompare, IgnoresCaseAndOrdersByLocale) {
  QL_EXPECT_CODE_PAGE(1252);
  EXPECT_EQ(compare("apple", "APPLE"), 0);
  EXPECT_EQ(compare("apple", "Apples"), -1);
  EXPECT_EQ(compare("b", "A"), 1);
  EXPECT_EQ(compare("a", "B"), -1);
  EXPECT_EQ(compare("", ""), 0);
  EXPECT_EQ(compare("", "a"), -1);
  EXPECT_EQ(compare("a", ""), 1);
  EXPECT_EQ(RuntimeStringCompare(nullptr, nullptr), 0);
  // Punctuation before digits before letters, unlike byte order.
  EXPECT_EQ(compare("9", "a"), -1);
  EXPECT_EQ(compare("_", "0"), -1);
  EXPECT_EQ(compare("z", "~"), 1);
  // Word sort: a hyphen or an apostrophe only decides between otherwise equal texts.
  EXPECT_EQ(compare("co-op", "coop"), 1);
  EXPECT_EQ(compare("co-op", "cop"), -1);
  EXPECT_EQ(compare("it's", "its"), 1);
  // Accents weigh less than letters and more than case; ligatures expand.
  EXPECT_EQ(compare("r\xE9sum\xE9", "RESUME"), 1);
  EXPECT_EQ(compare("r\xE9sum\xE9", "R\xC9SUM\xC9"), 0);
  EXPECT_EQ(compare("\xE9t\xE9", "etz"), -1);
  EXPECT_EQ(compare("stra\xDF"
                    "e",
                    "STRASSE"),
            0);
  EXPECT_EQ(compare("\xC6on", "aeon"), 0);
  // Explicit lengths: an embedded NUL does not end the text.
  EXPECT_EQ(RuntimeStringCompare(make(std::string("a\0b", 3)).get(), make("a").get()), 1);
}

TEST(StringStrCompare, ModeZeroComparesUnsignedBytes) {
  EXPECT_EQ(compare_mode("apple", "APPLE", 0), 1);
  EXPECT_EQ(compare_mode("ab", "abc", 0), -1);
  EXPECT_EQ(compare_mode("abc", "ab", 0), 1);
  EXPECT_EQ(compare_mode("same", "same", 0), 0);
  EXPECT_EQ(compare_mode("\xE9", "z", 0), 1);
  EXPECT_EQ(compare_mode("a", "\x80", 0), -1);
  EXPECT_EQ(StringStrCompare(nullptr, nullptr, 0), 0);
  EXPECT_EQ(StringStrCompare(nullptr, make("a").get(), 0), -1);
  EXPECT_EQ(StringStrCompare(make(std::string("a\0", 2)).get(), make("a").get(), 0), 1);
}

TEST(StringStrCompare, OtherModesAreLocaleOrderedAndCaseSensitive) {
  QL_EXPECT_CODE_PAGE(1252);
  for (int32_t mode : {1, -1, 7}) {
    EXPECT_EQ(compare_mode("apple", "APPLE", mode), -1) << mode;  // lower case first
    EXPECT_EQ(compare_mode("APPLE", "apple", mode), 1) << mode;
    EXPECT_EQ(compare_mode("apple", "apple", mode), 0) << mode;
    EXPECT_EQ(compare_mode("Apple", "banana", mode), -1) << mode;  // case only breaks ties
    EXPECT_EQ(compare_mode("\xE9", "E", mode), 1) << mode;
  }
}

TEST(FoldedCompare, IgnoresAsciiCaseAndFoldsMacRomanLetters) {
  EXPECT_EQ(string_compare_folded(make("Scientific").get(), make("sCIENTIFIC").get()), 0);
  EXPECT_EQ(string_compare_folded(make("abc").get(), make("ABD").get()), -1);
  EXPECT_EQ(string_compare_folded(make("abd").get(), make("ABC").get()), 1);
  EXPECT_EQ(string_compare_folded(make("ab").get(), make("ABC").get()), -1);
  EXPECT_EQ(string_compare_folded(make("ABC").get(), make("ab").get()), 1);
  EXPECT_EQ(string_compare_folded(nullptr, nullptr), 0);
  EXPECT_EQ(string_compare_folded(nullptr, make("a").get()), -1);
  // Mac Roman: e acute (0x8E) is E acute (0x83), o slash (0xBF) is O slash (0xAF), and so on.
  EXPECT_EQ(string_compare_folded(make("caf\x8E").get(), make("CAF\x83").get()), 0);
  EXPECT_EQ(string_compare_folded(make("\x8A\x9A\xBF\xCF\xD8").get(), make("\x80\x85\xAF\xCE\xD9").get()), 0);
  EXPECT_EQ(string_compare_folded(make("\xF5").get(), make("i").get()), 0);  // dotless i
  // Only the mapping's direction folds: the capitals do not fold back, and Latin-1 letters stay apart.
  EXPECT_EQ(string_compare_folded(make("\x83").get(), make("\x8E").get()), 0);
  EXPECT_NE(string_compare_folded(make("\xE9").get(), make("\xC9").get()), 0);
  // Folded bytes compare unsigned: 0x8A folds to 0x80, still above ASCII.
  EXPECT_EQ(string_compare_folded(make("\x8A").get(), make("z").get()), 1);

  EXPECT_EQ(string_compare_folded_cstr(make("Zero").get(), "ZERO"), 0);
  EXPECT_EQ(string_compare_folded_cstr(nullptr, nullptr), 0);
  EXPECT_EQ(string_compare_folded_cstr(nullptr, ""), 0);
  EXPECT_EQ(string_compare_folded_cstr(make("0").get(), "."), 1);
  EXPECT_EQ(string_compare_folded_cstr(make(".").get(), nullptr), 1);
}

TEST(FoldedCompare, TableChangesOnlyLowerCaseLetters) {
  int changed = 0;
  for (int byte = 0; byte < 256; ++byte) {
    if (kFoldingTable[byte] == byte) continue;
    ++changed;
    EXPECT_TRUE((byte >= 'a' && byte <= 'z') || byte >= 0x87) << byte;
    EXPECT_EQ(kFoldingTable[kFoldingTable[byte]], kFoldingTable[byte]) << "folds twice: " << byte;
  }
  EXPECT_EQ(changed, 26 + 30);
}

}  // namespace
}  // namespace ql
