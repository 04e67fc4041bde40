// The double-byte paths of the string library on a real Japanese system: Shift-JIS text through the
// system's lead bytes, case mapping and character types (runs only where the ANSI code page is 932).
#include <gtest/gtest.h>

#include "code_page_expectation.h"
#include "quillet/string_library.h"
#include "quillet/strings.h"
#include "string_library_test_support.h"
#include "values/char_tables.h"

namespace ql {
namespace {

using testing::make;
using testing::own;

// Shift-JIS: "a", 日 (0x93 0xFA), "b", ノ (0x83 0x6D), the half-width katakana ｱ (0xB1): 5 characters in
// 7 bytes.
const char kJapanese[] =
    "a\x93\xFA"
    "b\x83\x6D\xB1";

TEST(StringLibraryOnCodePage932, ShiftJisTextIsWalkedSearchedCasedAndTrimmedByCharacter) {
  QL_EXPECT_CODE_PAGE(932u);
  ASSERT_TRUE(dbcs_check());
  const uint8_t* lead = lead_byte_table();
  for (int byte : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(lead[byte]) << byte;
  for (int byte : {0x40, 0x80, 0xA0, 0xB1, 0xDF, 0xFD}) EXPECT_FALSE(lead[byte]) << byte;

  StringRef s = make(kJapanese);
  EXPECT_EQ(StringDBCSLen(s.get()), 5);
  EXPECT_EQ(own(StringDBCSLeft(s.get(), 2)), "a\x93\xFA");
  EXPECT_EQ(own(StringDBCSRight(s.get(), 2)), "\x83\x6D\xB1");
  EXPECT_EQ(own(StringDBCSMid3(s.get(), 2, 3)),
            "\x93\xFA"
            "b\x83\x6D");
  EXPECT_EQ(own(StringDBCSMid2(s.get(), 4)), "\x83\x6D\xB1");
  EXPECT_EQ(StringDBCSAsc(make("\x93\xFA\x96\x7B").get()), 0x93FA);  // 日本
  EXPECT_EQ(StringDBCSAsc(make("\xB1").get()), 0xB1);
  EXPECT_EQ(own(StringDBCSChr(0x93FA)), "\x93\xFA");

  // A lone lead byte at the end is one character of its own, and nothing reads past it.
  StringRef cut = make("ab\x93");
  EXPECT_EQ(StringDBCSLen(cut.get()), 3);
  EXPECT_EQ(own(StringDBCSRight(cut.get(), 1)), "\x93");
  EXPECT_EQ(own(StringDBCSLeft(cut.get(), 3)), "ab\x93");
  EXPECT_EQ(StringDBCSAsc(make("\x93").get()), 0x93);
  EXPECT_EQ(own(runTrim(make(" a \x93").get())), "a \x93");
  EXPECT_EQ(StringDBCSInStr(1, cut.get(), make("\x93").get()), 3);
  EXPECT_EQ(StringDBCSInStr(1, s.get(), make("a\x93").get()), 0);  // not the first half of 日

  // ソ (0x83 0x5C) ends in a backslash byte: only the backslash after it is found, in characters and bytes.
  StringRef so = make("\x83\x5C\x5C");
  StringRef backslash = make("\\");
  EXPECT_EQ(StringDBCSInStr(1, so.get(), backslash.get()), 2);
  EXPECT_EQ(StringInStr(1, so.get(), backslash.get()), 3);
  EXPECT_EQ(StringDBCSInStr(1, s.get(), make("\x83\x6D").get()), 4);
  EXPECT_EQ(StringDBCSInStr(3, s.get(), make("\x93\xFA").get()), 0);
  // Full-width letters match either case: ａ (0x82 0x81) finds Ａ (0x82 0x60).
  EXPECT_EQ(StringDBCSInStr(1, make("x\x82\x60y").get(), make("\x82\x81").get()), 2);

  // Case mapping changes full-width and ASCII letters, never a trail byte that looks like one (ダ is
  // 0x83 0x5F, ビ 0x83 0x72).
  EXPECT_EQ(own(StringUCase(make("\x82\x81"
                                 "b\x83\x72")
                                .get())),
            "\x82\x60"
            "B\x83\x72");
  EXPECT_EQ(own(StringLCase(make("\x82\x60"
                                 "B\x83\x5F")
                                .get())),
            "\x82\x81"
            "b\x83\x5F");
  EXPECT_EQ(own(StringUCase(make("ab\x93").get())), "AB\x93");

  // The ideographic space (0x81 0x40) is blank; あ (0x82 0xA0) ends in the byte of a Windows-1252 blank.
  EXPECT_EQ(own(runTrim(make("\x81\x40 \x93\xFA\x82\xA0 \x81\x40").get())), "\x93\xFA\x82\xA0");
  EXPECT_EQ(own(runLTrim(make("\x81\x40x").get())), "x");
  EXPECT_EQ(own(runRTrim(make("x\x82\xA0").get())), "x\x82\xA0");
}

}  // namespace
}  // namespace ql
