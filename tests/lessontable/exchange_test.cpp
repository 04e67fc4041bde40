// lessontable import and export: the editor's exchange files and the repository's table turn into each
// other byte for byte, files of some sets are checked set by set and merged, and the code pages are kept.
#include <gtest/gtest.h>

#include "lessontable/table_reader.h"
#include "lessontable/table_writers.h"
#include "tests/lessontable/table_fixture.h"

namespace lessontable_test {
namespace {

std::string text_of(const qltest::TempDir& dir, const std::string& name) {
  qlimage::Bytes bytes = dir.read(name);
  return std::string(bytes.begin(), bytes.end());
}

// The repository format with its one header line, as import writes it.
std::string repository(const std::vector<Row>& rows) {
  std::string text = std::string(lessontable::kTableHeader) + "\n";
  for (const Row& row : rows) text += line(row) + "\n";
  return text;
}

std::string exchange(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) {
    for (const std::string& cell : row) text += cell + "\t";
    text += "\r";
  }
  return text;
}

TEST(Exchange, WholeAndPartialTablesRoundTripByteForByte) {
  qltest::TempDir dir;
  const std::vector<Row> rows = valid_rows();
  const std::string table = dir.write("table.tsv", repository(rows));

  Outcome exported = run({"export", table, "-o", dir.file("clozeDBdata")});
  ASSERT_EQ(exported.code, 0) << exported.err;
  EXPECT_EQ(text_of(dir, "clozeDBdata"), exchange(rows));
  Outcome imported = run({"import", dir.file("clozeDBdata"), "-o", dir.file("back.tsv")});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(text_of(dir, "back.tsv"), repository(rows)) << "import(export(t)) = t";
  ASSERT_EQ(run({"export", dir.file("back.tsv"), "-o", dir.file("again")}).code, 0);
  EXPECT_EQ(text_of(dir, "again"), text_of(dir, "clozeDBdata")) << "export(import(f)) = f";

  // Some sets: L01 (rows 180-189) and LX1 (row 210), with their numbers in the whole table.
  Outcome part = run({"export", table, "--sets", "L01,LX1", "-o", dir.file("part")});
  ASSERT_EQ(part.code, 0) << part.err;
  std::vector<Row> chosen(rows.begin() + 180, rows.begin() + 190);
  chosen.push_back(rows[210]);
  EXPECT_EQ(text_of(dir, "part"), exchange(chosen));
  Outcome checked = run({"check", dir.file("part")});
  EXPECT_EQ(checked.code, 0) << checked.err;
  EXPECT_NE(
      checked.out.find("11 rows (0 articles, 10 listening tests, 1 compare boards, 0 proverbs), 2 of the 34 "
                       "sets (L01, LX1): no problems"),
      std::string::npos)
      << checked.out;

  // Imported, an edited part replaces its sets and keeps the others; exported again it is the same file.
  chosen[3][5] = "Say it twice.";
  dir.write("part", exchange(chosen));
  ASSERT_EQ(run({"import", dir.file("part"), "-o", table}).code, 0);
  std::vector<Row> edited = rows;
  edited[183][5] = "Say it twice.";
  EXPECT_EQ(text_of(dir, "table.tsv"), repository(edited));
  ASSERT_EQ(run({"export", table, "--sets", "L01,LX1", "-o", dir.file("part2")}).code, 0);
  EXPECT_EQ(text_of(dir, "part2"), text_of(dir, "part"));
}

TEST(Exchange, PartialFilesKeepTheSetRulesOfTheSetsTheyHold) {
  qltest::TempDir dir;
  std::vector<Row> chosen;
  for (const Row& row : valid_rows())
    if (row[1] == "L01" || row[1] == "LX1") chosen.push_back(row);

  std::vector<Row> short_set = chosen;
  short_set.erase(short_set.begin() + 9);  // the last row of L01
  Outcome missing_row = run({"check", dir.write("part", exchange(short_set))});
  EXPECT_EQ(missing_row.code, 1);
  EXPECT_NE(missing_row.err.find("set 'L01' has 10 rows (rows 180-189), but only 9 stand here: add 1 row(s)"),
            std::string::npos)
      << missing_row.err;

  // The editor's Renumber counts from 0; a file of some sets keeps its rows' numbers in the whole table.
  std::vector<Row> renumbered = chosen;
  for (size_t i = 0; i < renumbered.size(); ++i) renumbered[i][0] = std::to_string(i);
  Outcome numbers = run({"check", dir.write("part", exchange(renumbered))});
  EXPECT_NE(numbers.err.find(dir.file("part") +
                             ":1: row 0, cell 0 (number): the row is numbered '0' but is row 180 "
                             "of the whole table"),
            std::string::npos)
      << numbers.err;
  EXPECT_NE(numbers.err.find(": 1 problem(s)"), std::string::npos) << numbers.err;

  // A problem of every row is told once: here every line has a ninth cell.
  std::string nine_cells = exchange(chosen);
  for (size_t at = 0; (at = nine_cells.find('\r', at)) != std::string::npos; at += 3)
    nine_cells.insert(at, "x\t");
  Outcome every = run({"check", dir.write("part", nine_cells)});
  EXPECT_NE(every.err.find(dir.file("part") +
                           ": every row (11): the line has 9 cells, but a row has 8 (number, set, "
                           "pattern, answers, choices, explanation, layout, extra), each followed "
                           "by a TAB\n"),
            std::string::npos)
      << every.err;
  EXPECT_NE(every.err.find(": 1 problem(s)"), std::string::npos) << every.err;

  // The image is built from the whole table only.
  Outcome build = run({"build", dir.write("part", exchange(chosen)), "-o", dir.file("out")});
  EXPECT_EQ(build.code, 1);
  EXPECT_NE(build.err.find("holds only some of the sets"), std::string::npos) << build.err;
}

// Windows-1252 bytes in an exchange file are UTF-8 in the repository's table and come back the same; the
// checker refuses them, since a Japanese system would show other characters, and import writes nothing.
TEST(Exchange, Windows1252CellsConvertBothWaysAndAreRefusedForTheCodePages) {
  const std::string file =
      "0\ta01\tIt's _ caf\xE9.\ta\ta,an,*,the,some,any\t\x93"
      "Caf\xE9"
      "\x94 takes 'a' \x96 one of many.\t3*72,3*85\t\t\r"
      "1\tp01\t_ _ _.\ttime,is,money\tis,money,time\t3\t3*78\t1\t\r";
  lessontable::Problems problems;
  lessontable::Table table = lessontable::read_table(file, problems);
  ASSERT_TRUE(problems.empty());
  EXPECT_EQ(table.format, lessontable::TableFormat::kExchange);
  const std::string text = lessontable::repository_text(table);
  EXPECT_NE(text.find("\xE2\x80\x9C"
                      "Caf\xC3\xA9"
                      "\xE2\x80\x9D takes 'a' \xE2\x80\x93 one"),
            std::string::npos)
      << text;
  lessontable::Table back = lessontable::read_table(text, problems);
  ASSERT_TRUE(problems.empty());
  EXPECT_EQ(lessontable::exchange_text(back), file);

  qltest::TempDir dir;
  const std::string target = dir.write("table.tsv", std::string("unchanged"));
  Outcome imported = run({"import", dir.write("clozeDBdata", file), "-o", target});
  EXPECT_EQ(imported.code, 1);
  EXPECT_NE(imported.err.find(dir.file("clozeDBdata") +
                              ":1: row 0, cell 2 (pattern): holds '\xC3\xA9' (byte 0xE9), "
                              "which a Japanese system (code page 932) shows as the first "
                              "half of a double-byte character"),
            std::string::npos)
      << imported.err;
  EXPECT_NE(imported.err.find("nothing imported"), std::string::npos) << imported.err;
  EXPECT_EQ(text_of(dir, "table.tsv"), "unchanged");
}

TEST(Exchange, TheRepositoryTableRoundTrips) {
  qltest::TempDir dir;
  const std::string repository_table = LESSONTABLE_CONTENT_DIR "/exercises.tsv";
  ASSERT_EQ(run({"export", "-o", dir.file("clozeDBdata")}).code, 0);
  ASSERT_EQ(run({"import", dir.file("clozeDBdata"), "-o", dir.file("back.tsv")}).code, 0);
  std::string error;
  std::optional<qlimage::Bytes> original = qlimage::read_file(repository_table, error);
  ASSERT_TRUE(original) << error;
  EXPECT_TRUE(*original == dir.read("back.tsv")) << "the repository's table does not come back byte for byte";
}

}  // namespace
}  // namespace lessontable_test
