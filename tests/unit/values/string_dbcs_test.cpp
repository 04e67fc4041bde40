// The double-byte-aware string entry points, with and without lead bytes.
#include "values/string_dbcs.h"

#include <gtest/gtest.h>

#include <array>

#include "code_page_expectation.h"
#include "quillet/strings.h"
#include "string_library_test_support.h"
#include "string_test_support.h"
#include "values/string_search.h"
#include "values/string_trim.h"

namespace ql {
namespace {

using testing::make;
using testing::text;

// Shift-JIS lead bytes: 0x81-0x9F and 0xE0-0xFC.
std::array<uint8_t, 256> shift_jis_leads() {
  std::array<uint8_t, 256> lead{};
  for (int byte = 0x81; byte <= 0x9F; ++byte) lead[byte] = 1;
  for (int byte = 0xE0; byte <= 0xFC; ++byte) lead[byte] = 1;
  return lead;
}

using testing::FakeDbcs;
using testing::own;

TEST(DbcsEntryPoints, WithoutLeadBytesEachMatchesItsSingleByteTwin) {
  QL_EXPECT_CODE_PAGE(1252);
  const int32_t numbers[] = {INT32_MIN, -3, -1, 0, 1, 2, 5, 6, 7, 299, 300, 301, INT32_MAX};
  StringRef texts[] = {StringRef(), make("a"), make("abcdef"), make("\x82\xA0\x83\x40"),
                       make(std::string(300, 'q'))};
  for (const StringRef& s : texts) {
    EXPECT_EQ(StringDBCSLen(s.get()), StringLen(s.get()));
    EXPECT_EQ(StringDBCSAsc(s.get()), StringAsc(s.get()));
    for (int32_t k : numbers) {
      EXPECT_EQ(own(StringDBCSLeft(s.get(), k)), own(string_left(s.get(), k))) << k;
      EXPECT_EQ(own(StringDBCSRight(s.get(), k)), own(string_right(s.get(), k))) << k;
      EXPECT_EQ(own(StringDBCSMid2(s.get(), k)), own(string_mid2(s.get(), k))) << k;
      for (int32_t n : numbers) {
        EXPECT_EQ(own(StringDBCSMid3(s.get(), k, n)), own(string_mid3(s.get(), k, n))) << k << " " << n;
      }
    }
  }
  StringRef s = make("abc");
  QlString whole = StringDBCSLeft(s.get(), 10);
  EXPECT_EQ(whole, s.get());
  RuntimeUnlockString(whole);
}

TEST(DbcsEntryPoints, ChrMakesTwoBytesFrom256Up) {
  EXPECT_EQ(own(StringDBCSChr(321)), "\x01\x41");
  EXPECT_EQ(own(StringDBCSChr(0x82A0)), "\x82\xA0");
  EXPECT_EQ(own(StringDBCSChr(256)), std::string("\x01\x00", 2));
  EXPECT_EQ(own(StringDBCSChr(255)), "\xFF");
  EXPECT_EQ(own(StringDBCSChr(65)), "A");
  EXPECT_EQ(own(StringDBCSChr(-1)), "\xFF");
}

// "a", a two-byte character, "b", another, "c": 5 characters in 7 bytes.
const char kMixed[] =
    "a\x82\xA0"
    "b\x83\x40"
    "c";

TEST(DbcsWalks, CountAndPositionInCharacters) {
  auto lead = shift_jis_leads();
  StringRef s = make(kMixed);
  EXPECT_EQ(dbcs_char_count(s.get(), lead.data()), 5);
  EXPECT_EQ(dbcs_char_count(nullptr, lead.data()), 0);
  EXPECT_EQ(dbcs_char_start(s.get(), 1, lead.data()), 1);
  EXPECT_EQ(dbcs_char_start(s.get(), 2, lead.data()), 2);
  EXPECT_EQ(dbcs_char_start(s.get(), 3, lead.data()), 4);
  EXPECT_EQ(dbcs_char_start(s.get(), 5, lead.data()), 7);
  EXPECT_EQ(dbcs_char_start(s.get(), 6, lead.data()), 8);
  EXPECT_EQ(dbcs_char_start(s.get(), INT32_MAX, lead.data()), 8);
  EXPECT_EQ(dbcs_char_start(s.get(), -4, lead.data()), -4);
  // A lead byte in the last position is one character of its own.
  StringRef cut = make("ab\x82");
  EXPECT_EQ(dbcs_char_count(cut.get(), lead.data()), 3);
  EXPECT_EQ(dbcs_char_start(cut.get(), 4, lead.data()), 4);
}

TEST(DbcsWalks, SubstringsNeverSplitACharacter) {
  auto lead = shift_jis_leads();
  const uint8_t* l = lead.data();
  StringRef s = make(kMixed);
  EXPECT_EQ(own(dbcs_left(s.get(), 2, l)), "a\x82\xA0");
  EXPECT_EQ(own(dbcs_left(s.get(), 0, l)), "");
  EXPECT_EQ(own(dbcs_left(s.get(), 5, l)), kMixed);
  EXPECT_EQ(own(dbcs_right(s.get(), 2, l)),
            "\x83\x40"
            "c");
  EXPECT_EQ(own(dbcs_right(s.get(), 4, l)),
            "\x82\xA0"
            "b\x83\x40"
            "c");
  EXPECT_EQ(own(dbcs_right(s.get(), 0, l)), "");
  EXPECT_EQ(own(dbcs_mid2(s.get(), 2, l)),
            "\x82\xA0"
            "b\x83\x40"
            "c");
  EXPECT_EQ(own(dbcs_mid2(s.get(), 4, l)),
            "\x83\x40"
            "c");
  EXPECT_EQ(own(dbcs_mid2(s.get(), 6, l)), "");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 2, 3, l)),
            "\x82\xA0"
            "b\x83\x40");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 4, 1, l)), "\x83\x40");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 4, 100, l)),
            "\x83\x40"
            "c");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 0, 3, l)), "a\x82\xA0");  // a start before 1 eats into the count
  EXPECT_EQ(own(dbcs_mid3(s.get(), -1, 3, l)), "a");
  EXPECT_EQ(own(dbcs_mid3(s.get(), -1, 2, l)), "");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 3, 0, l)), "");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 6, 1, l)), "");
  EXPECT_EQ(own(dbcs_mid3(s.get(), INT32_MIN, INT32_MAX, l)), "");
  EXPECT_EQ(own(dbcs_mid3(s.get(), 2, INT32_MAX, l)),
            "\x82\xA0"
            "b\x83\x40"
            "c");

  // Whole results are the operand itself.
  for (QlString whole : {dbcs_left(s.get(), 9, l), dbcs_right(s.get(), 5, l), dbcs_mid2(s.get(), 1, l),
                         dbcs_mid3(s.get(), 1, 5, l), dbcs_mid3(s.get(), 0, 6, l)}) {
    EXPECT_EQ(whole, s.get());
    string_release(whole);
  }
  EXPECT_EQ(s.get()->count, 1);

  StringRef cut = make("ab\x82");
  EXPECT_EQ(own(dbcs_right(cut.get(), 1, l)), "\x82");
  EXPECT_EQ(own(dbcs_left(cut.get(), 3, l)), "ab\x82");
}

// Lead bytes at the ends of the text: a lone one at the end, a lead byte taken as the trail byte of the one
// before it, and a text of nothing but a lead byte. Under ASan nothing is read past the text.
TEST(DbcsWalks, LeadBytesAtTheEndsStayWholeCharactersOfTheirOwn) {
  auto lead = shift_jis_leads();
  const uint8_t* l = lead.data();
  StringRef cut = make("a\x82\xA0\x82");  // "a", あ, a lone lead byte
  EXPECT_EQ(dbcs_char_count(cut.get(), l), 3);
  EXPECT_EQ(own(dbcs_mid2(cut.get(), 3, l)), "\x82");
  EXPECT_EQ(own(dbcs_mid3(cut.get(), 2, 2, l)), "\x82\xA0\x82");
  EXPECT_EQ(own(dbcs_mid3(cut.get(), 3, 5, l)), "\x82");
  EXPECT_EQ(own(dbcs_right(cut.get(), 2, l)), "\x82\xA0\x82");
  EXPECT_EQ(own(dbcs_left(cut.get(), 2, l)), "a\x82\xA0");
  // A find ending in a lead byte matches only a character of its own, never the first half of あ.
  EXPECT_EQ(in_str_chars(1, cut.get(), make("\x82").get(), FakeDbcs::code_page()), 3);
  EXPECT_EQ(in_str_chars(1, make("a\x82\xA0").get(), make("a\x82").get(), FakeDbcs::code_page()), 0);
  EXPECT_EQ(own(trim(cut.get(), kTrimBoth, &FakeDbcs::code_page())), "a\x82\xA0\x82");

  StringRef pair = make("\x82\x82\x82");  // a lead byte as a trail byte, then a lone one
  EXPECT_EQ(dbcs_char_count(pair.get(), l), 2);
  EXPECT_EQ(own(dbcs_right(pair.get(), 1, l)), "\x82");
  EXPECT_EQ(dbcs_asc(pair.get(), l), 0x8282);

  StringRef alone = make("\xE0");
  EXPECT_EQ(dbcs_char_count(alone.get(), l), 1);
  EXPECT_EQ(dbcs_char_start(alone.get(), 2, l), 2);
  EXPECT_EQ(own(dbcs_mid3(alone.get(), 1, 1, l)), "\xE0");
  EXPECT_EQ(own(dbcs_mid3(alone.get(), 2, 1, l)), "");
  EXPECT_EQ(dbcs_asc(alone.get(), l), 0xE0);
}

TEST(DbcsWalks, AscReadsATwoByteCharacterWhole) {
  auto lead = shift_jis_leads();
  EXPECT_EQ(dbcs_asc(make("\x82\xA0"
                          "x")
                         .get(),
                     lead.data()),
            0x82A0);
  EXPECT_EQ(dbcs_asc(make("\x82").get(), lead.data()), 0x82);  // a lone lead byte
  EXPECT_EQ(dbcs_asc(make("\xA0\x82").get(), lead.data()), 0xA0);
  EXPECT_EQ(dbcs_asc(nullptr, lead.data()), 0);
}

}  // namespace
}  // namespace ql
