// Looking resources up by number in the resource index.
#include "start/resource_index.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace ql {
namespace {

TEST(ResourceIndex, FindsResourcesByNumberWithinTheCount) {
  // 10 bytes of something else, then the index: count 2, offsets 0 and 5, then the data.
  const unsigned char bytes[] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 0,   0,   0,   2,   0,
                                 0,   0,   0,   0,   0,   0,   5,   'f', 'i', 'r', 's', 't', 's', 'e', 'c'};
  const std::string path = testing::TempDir() + "resource_index_test.bin";
  platform::FileHandle out = platform::file_create(path.c_str());
  ASSERT_NE(out, platform::kNoFile);
  ASSERT_EQ(platform::file_write(out, bytes, sizeof bytes), static_cast<int64_t>(sizeof bytes));
  platform::file_close(out);

  platform::FileHandle file = platform::file_open_read(path.c_str());
  ASSERT_NE(file, platform::kNoFile);
  int64_t offset = 0;
  ASSERT_TRUE(lookup_in_index(file, 10, 1, offset));
  EXPECT_EQ(offset, 22);
  ASSERT_TRUE(lookup_in_index(file, 10, 2, offset));
  EXPECT_EQ(offset, 27);
  EXPECT_FALSE(lookup_in_index(file, 10, 3, offset));
  EXPECT_FALSE(lookup_in_index(file, 10, 0, offset));
  EXPECT_FALSE(lookup_in_index(file, 10, -1, offset));
  EXPECT_FALSE(lookup_in_index(file, 28, 1, offset));  // an index cut off by the end of the file
  platform::file_close(file);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace ql
