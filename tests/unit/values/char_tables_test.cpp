// The tables come from the system's code page: Windows-1252 here, on the host model and under Wine.
#include "values/char_tables.h"
#include "code_page_expectation.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(CharTables, SingleByteCodePageBuildsEveryTable) {
  QL_EXPECT_CODE_PAGE(1252);
  EXPECT_FALSE(dbcs_check());
  EXPECT_FALSE(dbcs_check());  // answered from the stored flag
  const uint8_t* lead = lead_byte_table();
  for (int byte = 0; byte < 256; ++byte) EXPECT_EQ(lead[byte], 0) << byte;
  ASSERT_NE(upper_case_table(), nullptr);
  ASSERT_NE(white_space_flags(), nullptr);
}

TEST(CharTables, UpperCaseTableFollowsTheSystem) {
  QL_EXPECT_CODE_PAGE(1252);
  const uint8_t* upper = upper_case_table();
  ASSERT_NE(upper, nullptr);
  for (int byte = 'a'; byte <= 'z'; ++byte) EXPECT_EQ(upper[byte], byte - 0x20);
  for (int byte = 'A'; byte <= 'Z'; ++byte) EXPECT_EQ(upper[byte], byte);
  EXPECT_EQ(upper[0xE9], 0xC9);
  EXPECT_EQ(upper[0xFE], 0xDE);
  EXPECT_EQ(upper[0x9A], 0x8A);
  EXPECT_EQ(upper[0x9C], 0x8C);
  EXPECT_EQ(upper[0x9E], 0x8E);
  EXPECT_EQ(upper[0xFF], 0x9F);
  // No single-byte capital exists for these.
  EXPECT_EQ(upper[0xDF], 0xDF);
  EXPECT_EQ(upper[0xB5], 0xB5);
  EXPECT_EQ(upper[0xF7], 0xF7);
  EXPECT_EQ(upper['1'], '1');
  EXPECT_EQ(upper[0], 0);
}

TEST(CharTables, WhiteSpaceFlagsMarkSpacesAndBlanks) {
  QL_EXPECT_CODE_PAGE(1252);
  const uint8_t* white = white_space_flags();
  ASSERT_NE(white, nullptr);
  for (int byte : {0x20, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0xA0}) EXPECT_EQ(white[byte], kBlank) << byte;
  int blanks = 0;
  for (int byte = 0; byte < 256; ++byte) blanks += white[byte] ? 1 : 0;
  EXPECT_EQ(blanks, 7);
  EXPECT_EQ(white[0], 0);
  EXPECT_EQ(white[0xAD], 0);  // soft hyphen
}

}  // namespace
}  // namespace ql
