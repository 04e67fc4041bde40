// lessontable check on files that break the line and cell format, the numbering or the set plan.
#include <gtest/gtest.h>

#include "lessontable/table_fixture.h"

namespace lessontable_test {
namespace {

std::string prefix(const qltest::TempDir& dir, int row) {
  return dir.file("table.tsv") + ":" + std::to_string(row + 2) + ": row " + std::to_string(row) + ": ";
}

std::string replace_line(std::string text, int row, const std::string& line) {
  size_t start = 0;
  for (int i = 0; i < row + 1; ++i) start = text.find('\n', start) + 1;
  size_t end = text.find('\n', start);
  return text.replace(start, end - start, line);
}

TEST(FileFormat, LinesAndCells) {
  qltest::TempDir dir;
  const std::string good = tsv(valid_rows());
  std::vector<Row> rows = valid_rows();

  Outcome trailing = check(dir, replace_line(good, 7, line(rows[7]) + "\t"));
  EXPECT_NE(trailing.err.find(prefix(dir, 7) + "the line ends with a TAB: remove it (rows have 8 cells)"),
            std::string::npos)
      << trailing.err;

  Outcome crlf = check(dir, replace_line(good, 3, line(rows[3]) + "\r"));
  EXPECT_NE(crlf.err.find(prefix(dir, 3) +
                          "the line holds a carriage return (CR, as in Windows line ends): save the "
                          "file with LF line ends"),
            std::string::npos)
      << crlf.err;

  Outcome short_line = check(dir, replace_line(good, 12, "12\ta04\tItem 12 is _ test.\ta"));
  EXPECT_NE(short_line.err.find(prefix(dir, 12) + "the line has 4 cells, but a row has 8"), std::string::npos)
      << short_line.err;
  // The set code of the broken row still counts, so no set problem follows from it.
  EXPECT_NE(short_line.err.find(": 1 problem(s)"), std::string::npos) << short_line.err;
}

TEST(FileFormat, CharactersOfTheCells) {
  qltest::TempDir dir;
  std::vector<Row> rows = valid_rows();
  rows[20][5] =
      "Use \xE2\x80\x98some\xE2\x80\x99 \xE2\x86\x92 here.";  // curly quotes fit Windows-1252, the arrow not
  Outcome arrow = check(dir, tsv(rows));
  EXPECT_NE(arrow.err.find(where(dir, 20, 5, "explanation") +
                           "holds the character U+2192, which Windows-1252 cannot represent: replace it"),
            std::string::npos)
      << arrow.err;
  EXPECT_NE(arrow.err.find(": 1 problem(s)"), std::string::npos) << arrow.err;

  // Characters Windows-1252 has but code page 932 reads otherwise: a Japanese learner would see others.
  rows = valid_rows();
  rows[20][5] = "Use \xE2\x80\x98some\xE2\x80\x99 here.";
  rows[30][2] =
      "It costs \xC2\xA3"
      "1 _ kilo.";
  Outcome code_pages = check(dir, tsv(rows));
  EXPECT_NE(
      code_pages.err.find(where(dir, 20, 5, "explanation") +
                          "holds '\xE2\x80\x98' (byte 0x91), which a Japanese system (code page 932) "
                          "shows as the first half of a double-byte character, which takes the next byte "
                          "with it: write the text in ASCII"),
      std::string::npos)
      << code_pages.err;
  EXPECT_NE(code_pages.err.find(where(dir, 30, 2, "pattern") +
                                "holds '\xC2\xA3' (byte 0xA3), which a Japanese "
                                "system (code page 932) shows as the half-width katakana U+FF63"),
            std::string::npos)
      << code_pages.err;
  EXPECT_NE(code_pages.err.find(": 2 problem(s)"), std::string::npos) << code_pages.err;

  rows = valid_rows();
  rows[20][5] = "Bell\x07 here.";
  Outcome control = check(dir, tsv(rows));
  EXPECT_NE(control.err.find(where(dir, 20, 5, "explanation") +
                             "holds the control character 0x07, which cannot be shown: remove it"),
            std::string::npos)
      << control.err;

  rows = valid_rows();
  rows[20][2] = "Item \xFF is _ test.";
  Outcome broken = check(dir, tsv(rows));
  EXPECT_NE(broken.err.find(where(dir, 20, 2, "pattern") + "is not valid UTF-8: save the file as UTF-8"),
            std::string::npos)
      << broken.err;
}

TEST(FileFormat, NumbersAndSets) {
  qltest::TempDir dir;
  std::vector<Row> rows = valid_rows();
  rows[10][0] = "11";
  rows[11][0] = "12";
  Outcome numbers = check(dir, tsv(rows));
  EXPECT_EQ(
      numbers.err.substr(0, numbers.err.find('\n')),
      where(dir, 10, 0, "number") +
          "the row is numbered '11' but is row 10 (rows are numbered from 0 in file order; later rows are "
          "not reported): renumber the rows from here");
  EXPECT_NE(numbers.err.find(": 1 problem(s)"), std::string::npos) << numbers.err;

  // One row of a01 too many, one of a02 too few: the count is told for each set, at the row that is wrong.
  rows = valid_rows();
  rows[3] = valid_row("a01", 3);
  Outcome counts = check(dir, tsv(rows));
  EXPECT_NE(counts.err.find(where(dir, 3, 1, "set") +
                            "set 'a01' has 3 rows (rows 0-2); this is row 4 of it: remove 1 row(s) of 'a01'"),
            std::string::npos)
      << counts.err;
  EXPECT_NE(counts.err.find(where(dir, 7, 1, "set") +
                            "set 'a02' has 5 rows (rows 3-7), but only 4 stand here: add 1 row(s) of 'a02'"),
            std::string::npos)
      << counts.err;

  rows = valid_rows();
  for (int i = 180; i < 190; ++i) rows[i][1] = "L09";
  Outcome unknown = check(dir, tsv(rows));
  EXPECT_NE(unknown.err.find(where(dir, 180, 1, "set") + "unknown set 'L09'"), std::string::npos)
      << unknown.err;
  EXPECT_NE(
      unknown.err.find(where(dir, 190, 1, "set") + "set 'L02' begins here, but set L01 should come first"),
      std::string::npos)
      << unknown.err;

  rows = valid_rows();
  rows.resize(430);
  Outcome early = check(dir, tsv(rows));
  EXPECT_NE(early.err.find(dir.file("table.tsv") + ":431: row 429, cell 1 (set): set 'p13' has 20 rows (rows "
                                                   "421-440), but only 9 stand here: add 11 row(s) of 'p13'"),
            std::string::npos)
      << early.err;

  rows.resize(100);
  Outcome missing = check(dir, tsv(rows));
  EXPECT_NE(missing.err.find(dir.file("table.tsv") +
                             ":101: the table ends before set 'a10' (row 105): the table needs the sets"),
            std::string::npos)
      << missing.err;

  Outcome empty = check(dir, "# nothing but a comment\n\n");
  EXPECT_EQ(empty.code, 1);
  EXPECT_NE(empty.err.find(":1: the file holds no rows"), std::string::npos) << empty.err;
}

TEST(FileFormat, CommandLine) {
  Outcome help = run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("usage: lessontable check FILE", 0), 0u) << help.out;
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"chek", "x.tsv"},
                                             {"build", "x.tsv"},
                                             {"check"},
                                             {"check", "a.tsv", "b.tsv"},
                                             {"check", "-x", "a.tsv"}}) {
    Outcome wrong = run(args);
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(wrong.err.rfind("lessontable: error: ", 0), 0u) << wrong.err;
  }
  Outcome missing = run({"check", "/nonexistent/table.tsv"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("/nonexistent/table.tsv: cannot open"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace lessontable_test
