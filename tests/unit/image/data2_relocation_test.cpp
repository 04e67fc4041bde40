// Relocating data1 by data2's words: runs, skips, unknown words and runs past the end.
#include "image/data2_relocation.h"

#include <gtest/gtest.h>

#include "unit/image/image_bytes.h"

namespace ql::test {
namespace {

TEST(Data1Relocation, RunsSkipsAndUnknownWords) {
  Bytes data1;
  for (uint32_t i = 0; i < 8; ++i) put_u32(data1, i);
  Bytes data2;
  put_u16(data2, 0x4000 | 1);  // words 0 and 1 get code1's address
  put_u16(data2, 0x8000 | 3);  // skip word 2
  put_u16(data2, 0x1234);      // unknown: ignored, cursor stays at word 3
  put_u16(data2, 0x4200);      // word 3 gets data1's address
  put_u16(data2, 0x4600 | 1);  // words 4 and 5 get code1's address again
  data2.push_back(0x42);       // trailing odd byte is ignored
  std::string error;
  ASSERT_TRUE(image::relocate_data1(data2.data(), static_cast<uint32_t>(data2.size()), data1.data(),
                                    static_cast<uint32_t>(data1.size()), 0x10000, 0x200000, error));
  EXPECT_EQ(get_u32(&data1[0]), 0x10000u);
  EXPECT_EQ(get_u32(&data1[4]), 0x10001u);
  EXPECT_EQ(get_u32(&data1[8]), 2u);
  EXPECT_EQ(get_u32(&data1[12]), 0x200003u);
  EXPECT_EQ(get_u32(&data1[16]), 0x10004u);
  EXPECT_EQ(get_u32(&data1[20]), 0x10005u);
  EXPECT_EQ(get_u32(&data1[24]), 6u);
}

TEST(Data1Relocation, RefusesRunsPastTheEnd) {
  Bytes data1(16, 0);
  std::string error;
  Bytes long_run;
  put_u16(long_run, 0x4200 | 4);  // five words into four
  EXPECT_FALSE(image::relocate_data1(long_run.data(), 2, data1.data(), 16, 0, 0x1000, error));
  EXPECT_NE(error.find("past the end of data1"), std::string::npos) << error;

  Bytes skip_then_run;
  put_u16(skip_then_run, 0x8000 | 0xFFF);
  put_u16(skip_then_run, 0x4000);
  EXPECT_FALSE(image::relocate_data1(skip_then_run.data(), 4, data1.data(), 16, 0, 0x1000, error));

  Bytes skip_only;  // a skip beyond the end with nothing after it touches nothing
  put_u16(skip_only, 0x8000 | 0xFFF);
  EXPECT_TRUE(image::relocate_data1(skip_only.data(), 2, data1.data(), 16, 0, 0x1000, error));
}

}  // namespace
}  // namespace ql::test
