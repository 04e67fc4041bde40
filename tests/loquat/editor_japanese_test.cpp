// The editor on a Japanese system (code page 932): its notes field shows the Japanese text it was made
// with, and a table with Shift-JIS text in a cell goes in from a file and back out to one byte for byte.
#include <windows.h>

#include "editor_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(LoquatEditor, OnCodePage932TheNotesShowJapaneseAndAJapaneseCellComesBackByteForByte) {
  if (GetACP() != 932) GTEST_SKIP() << "expects code page 932, the system's is " << GetACP();
  settle(main_);
  // The field's text ends in the Shift-JIS bytes of "ノート" (note).
  EXPECT_EQ(fdb(6), "6 notes  \xE3\x83\x8E\xE3\x83\xBC\xE3\x83\x88");

  // One row whose explanation is "表ねこ" (0x95 0x5C: a trail byte that reads as a backslash) and whose
  // pattern holds the half-width katakana ｱ (0xB1), as SAVE AS FILE writes rows.
  const std::string row =
      "0\ta01\tThe _ cat \xB1.\tthe\ta,an,*,the,some,any\t\x95\x5C\x82\xCB\x82\xB1\t"
      "20 72,50 72,80 72,20 85,50 85,80 85\t\t\r";
  ASSERT_EQ(rows_of(table_text()), 441u);
  ASSERT_TRUE(harness::write_file(saved_path(), row));
  ASSERT_TRUE(click(control(kDeleteAll)));
  ASSERT_EQ(table_text(), "");
  ASSERT_TRUE(click(control(kGetDBfromDisk)));
  settle(main_, 10000);
  EXPECT_EQ(table_text(),
            "0\ta01\tThe _ cat \xEF\xBD\xB1.\tthe\ta,an,*,the,some,any\t"
            "\xE8\xA1\xA8\xE3\x81\xAD\xE3\x81\x93\t20 72,50 72,80 72,20 85,50 85,80 85\t\t\r");

  ASSERT_TRUE(DeleteFileA(saved_path().c_str()));
  ASSERT_TRUE(click(control(kSaveLBtoDisk)));
  wait_until([&] { return harness::read_file(saved_path()).size() >= row.size(); }, "the table to be saved",
             15000);
  settle(main_);
  EXPECT_EQ(harness::read_file(saved_path()), row);
  EXPECT_TRUE(program_->running());
}

}  // namespace
}  // namespace ql::loquat_tests
