// lessontable build: the InitialValue bytes of a small table, and what a failed build leaves alone.
#include <gtest/gtest.h>

#include "lessontable/initial_value_writer.h"
#include "lessontable/table_reader.h"
#include "lessontable/table_fixture.h"

namespace lessontable_test {
namespace {

TEST(Build, InitialValueOfASmallTable) {
  const std::string source =
      "# two rows\n"
      "0\ta06\tThese potatoes/are \xC2\xA3"
      "1.20 _ kilo.\ta\ta,an,*,the,some,any\tHere 'a' means 'per'.\t3*72,3*85\t\n"
      "\n"
      "1\tp01\t_ _ _.\ttime,is,money\tis,money,time\t3\t3*78\t1\n";
  lessontable::Problems problems;
  lessontable::Table table = lessontable::read_table(source, problems);
  EXPECT_TRUE(problems.empty());
  const std::string expected =
      "\r"
      "0\ta06\tThese potatoes/are \xA3"
      "1.20 _ kilo.\ta\ta,an,*,the,some,any\tHere 'a' means 'per'.\t3*72,3*85\t\t\r"
      "1\tp01\t_ _ _.\ttime,is,money\tis,money,time\t3\t3*78\t1\t";
  EXPECT_EQ(lessontable::initial_value(table), expected);
}

TEST(Build, WritesTheCheckedTableAndNothingOnFailure) {
  qltest::TempDir dir;
  std::vector<Row> rows = valid_rows();
  rows[0][2] = "Item 0 costs 1 pound, _ test.";
  std::string input = dir.write("table.tsv", tsv(rows));
  std::string output = dir.file("initial_value.txt");
  Outcome built = run({"build", input, "-o", output});
  ASSERT_EQ(built.code, 0) << built.err;
  qlimage::Bytes bytes = dir.read("initial_value.txt");
  std::string text(bytes.begin(), bytes.end());
  std::string expected = "\r";
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i) expected += "\r";
    for (const std::string& cell : rows[i]) expected += cell + "\t";
  }
  EXPECT_EQ(text, expected);

  rows[5][3] = "the";  // no longer among the choices
  rows[5][4] = "a,an";
  dir.write("table.tsv", tsv(rows));
  Outcome failed = run({"build", input, "-o", output});
  EXPECT_EQ(failed.code, 1);
  EXPECT_NE(failed.err.find("nothing written"), std::string::npos) << failed.err;
  bytes = dir.read("initial_value.txt");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected)
      << "a failed build must keep the previous output";
}

}  // namespace
}  // namespace lessontable_test
