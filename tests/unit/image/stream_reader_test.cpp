// The image's variable integers and texts: known encodings, round trips and cut streams.
#include "image/stream_reader.h"

#include <gtest/gtest.h>

namespace ql::image {
namespace {

TEST(VariableIntegers, RoundTripAndKnownEncodings) {
  for (int32_t value : {0, 1, 63, 64, -1, -63, -64, 8191, 8192, -100000, 0x7FFFFFFF, -0x7FFFFFFF,
                        static_cast<int32_t>(0x80000000u)}) {
    std::vector<uint8_t> bytes;
    write_varint(bytes, value);
    StreamReader in(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(in.varint(), value);
    EXPECT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u) << value;
  }
  const uint8_t minus_five[] = {0x45};
  EXPECT_EQ(StreamReader(minus_five, 1).varint(), -5);
  const uint8_t two_hundred[] = {0x88, 0x03};  // 8 + (3 << 6)
  EXPECT_EQ(StreamReader(two_hundred, 2).varint(), 200);
  // The magnitude 0x80000000 marks a missing index, whatever the sign bit says.
  const uint8_t missing[] = {0xC0, 0x80, 0x80, 0x80, 0x10};
  EXPECT_EQ(static_cast<uint32_t>(StreamReader(missing, 5).varint()), 0x80000000u);
}

TEST(VariableIntegers, TextsAndTruncatedStreams) {
  std::vector<uint8_t> bytes;
  write_text(bytes, "Loquat 1.2");
  write_text(bytes, "");
  bytes.push_back(0x41);  // a length of -1 gives the empty text
  StreamReader in(bytes.data(), static_cast<uint32_t>(bytes.size()));
  EXPECT_EQ(in.text(), "Loquat 1.2");
  EXPECT_EQ(in.text(), "");
  EXPECT_EQ(in.text(), "");
  EXPECT_TRUE(in.ok());

  const uint8_t cut_text[] = {0x05, 'a', 'b'};
  StreamReader cut(cut_text, 3);
  EXPECT_EQ(cut.text(), "");
  EXPECT_FALSE(cut.ok());
  const uint8_t cut_integer[] = {0x81};
  StreamReader cut2(cut_integer, 1);
  cut2.varint();
  EXPECT_FALSE(cut2.ok());
  StreamReader empty(nullptr, 0);
  EXPECT_EQ(empty.u32_be(), 0u);
  EXPECT_FALSE(empty.ok());
}

}  // namespace
}  // namespace ql::image
