// Binary streams on real files in a temporary folder.
#include <gtest/gtest.h>

#include "file_test_support.h"
#include "quillet/objects.h"

namespace ql::testing {
namespace {

using namespace std::string_literals;

void set_little_endian(QlObject* stream, bool little) {
  int8Setter(stream, QL_BINARY_STREAM_LITTLE_ENDIAN_OFFSET, little);
}

// The bytes a fresh stream leaves in a file after write.
template <typename Write>
std::string written(const TempFolder& folder, bool little, Write write) {
  Owned item = folder.item("written.bin");
  Owned stream(FolderItemCreateBinaryFile(item.get()));
  EXPECT_NE(stream.get(), nullptr);
  set_little_endian(stream.get(), little);
  write(stream.get());
  BinaryStreamClose(stream.get());
  return folder.read("written.bin");
}

// A stream reading bytes from the start.
Owned reader(const TempFolder& folder, const std::string& bytes, bool little = false) {
  folder.write("read.bin", bytes);
  Owned item = folder.item("read.bin");
  Owned stream(FolderItemOpenBinaryFile(item.get(), false));
  EXPECT_NE(stream.get(), nullptr);
  set_little_endian(stream.get(), little);
  return stream;
}

TEST(BinaryStream, ValuesAreBigEndianUnlessLittleEndianIsSet) {
  TempFolder folder;
  EXPECT_EQ(written(folder, false, [](QlObject* s) { BinaryStreamWriteLong(s, 1); }), "\x00\x00\x00\x01"s);
  EXPECT_EQ(written(folder, true, [](QlObject* s) { BinaryStreamWriteLong(s, 1); }), "\x01\x00\x00\x00"s);
  EXPECT_EQ(written(folder, false, [](QlObject* s) { BinaryStreamWriteShort(s, 0x12345678); }), "\x56\x78"s);
  EXPECT_EQ(written(folder, true, [](QlObject* s) { BinaryStreamWriteShort(s, -2); }), "\xFE\xFF"s);
  EXPECT_EQ(written(folder, false, [](QlObject* s) { BinaryStreamWriteByte(s, 0x1FF); }), "\xFF"s);
  EXPECT_EQ(written(folder, false, [](QlObject* s) { BinaryStreamWriteFloat(s, 1.0); }), "\x3F\x80\x00\x00"s);
  EXPECT_EQ(written(folder, true, [](QlObject* s) { BinaryStreamWriteFloat(s, 1.0); }), "\x00\x00\x80\x3F"s);
  EXPECT_EQ(written(folder, false, [](QlObject* s) { BinaryStreamWriteDouble(s, -2.0); }),
            "\xC0\x00\x00\x00\x00\x00\x00\x00"s);
  // A new stream is big-endian.
  Owned item = folder.item("fresh.bin");
  Owned fresh(FolderItemCreateBinaryFile(item.get()));
  EXPECT_EQ(int8Getter(fresh.get(), QL_BINARY_STREAM_LITTLE_ENDIAN_OFFSET), 0);

  EXPECT_EQ(BinaryStreamReadShort(reader(folder, "\xFF\xFE"s).get()), -2);
  EXPECT_EQ(BinaryStreamReadShort(reader(folder, "\xFF\xFE"s, true).get()), -257);
  EXPECT_EQ(BinaryStreamReadLong(reader(folder, "\x80\x00\x00\x01"s).get()), INT32_MIN + 1);
  EXPECT_EQ(BinaryStreamReadLong(reader(folder, "\x80\x00\x00\x01"s, true).get()), 0x01000080);
  EXPECT_EQ(BinaryStreamReadByte(reader(folder, "\xF0"s).get()), 240);
  EXPECT_EQ(BinaryStreamReadFloat(reader(folder, "\x3F\xC0\x00\x00"s).get()), 1.5);
  EXPECT_EQ(BinaryStreamReadDouble(reader(folder, "\x00\x00\x00\x00\x00\x00\xF8\x3F"s, true).get()), 1.5);
}

TEST(BinaryStream, ShortReadsGiveNeutralValues) {
  TempFolder folder;
  EXPECT_EQ(BinaryStreamReadShort(reader(folder, "\x01"s).get()), 0);
  EXPECT_EQ(BinaryStreamReadLong(reader(folder, "\x01\x02\x03"s).get()), 0);
  EXPECT_EQ(BinaryStreamReadDouble(reader(folder, "\x01\x02\x03\x04"s).get()), 0.0);
  EXPECT_EQ(BinaryStreamReadFloat(reader(folder, ""s).get()), 0.0);
  EXPECT_EQ(BinaryStreamReadByte(reader(folder, ""s).get()), 0);
  EXPECT_EQ(take(BinaryStreamReadPString(reader(folder,
                                                "\x05"
                                                "abc"s)
                                             .get())),
            "");
  EXPECT_EQ(take(BinaryStreamReadPString(reader(folder, ""s).get())), "");

  Owned stream = reader(folder, "abcdef");
  EXPECT_EQ(take(BinaryStreamRead(stream.get(), 0)), "");
  EXPECT_EQ(take(BinaryStreamRead(stream.get(), -5)), "");
  EXPECT_EQ(take(BinaryStreamRead(stream.get(), 4)), "abcd");
  EXPECT_FALSE(BinaryStreamEOF(stream.get()));
  // A count far beyond the file reads what is left.
  EXPECT_EQ(take(BinaryStreamRead(stream.get(), 0x7FFFFFFF)), "ef");
  EXPECT_TRUE(BinaryStreamEOF(stream.get()));
  EXPECT_EQ(take(BinaryStreamRead(stream.get(), 4)), "");
}

TEST(BinaryStream, PascalStringsCarryALengthByteOfAtMost255) {
  TempFolder folder;
  std::string long_text;
  for (int i = 0; i < 300; ++i) long_text += static_cast<char>('a' + i % 26);
  StringRef text = text_ref(long_text);
  std::string bytes = written(folder, false, [&](QlObject* s) { BinaryStreamWritePString(s, text.get()); });
  ASSERT_EQ(bytes.size(), 256u);
  EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 255);
  EXPECT_EQ(bytes.substr(1), long_text.substr(0, 255));
  EXPECT_EQ(take(BinaryStreamReadPString(reader(folder, bytes).get())), long_text.substr(0, 255));

  EXPECT_EQ(written(folder, false, [](QlObject* s) { BinaryStreamWritePString(s, nullptr); }), "\x00"s);
  StringRef short_text = text_ref("hi\0there"s);
  EXPECT_EQ(written(folder, false, [&](QlObject* s) { BinaryStreamWritePString(s, short_text.get()); }),
            "\x08hi\0there"s);
  EXPECT_EQ(written(folder, false, [&](QlObject* s) { BinaryStreamWrite(s, short_text.get()); }),
            "hi\0there"s);
}

TEST(BinaryStream, LengthAndPositionMoveCutAndExtend) {
  TempFolder folder;
  Owned item = folder.item("sized.bin");
  Owned stream(FolderItemCreateBinaryFile(item.get()));
  StringRef text = text_ref("0123456789");
  BinaryStreamWrite(stream.get(), text.get());
  EXPECT_EQ(BinaryStreamGetLength(stream.get()), 10);
  EXPECT_EQ(BinaryStreamGetPosition(stream.get()), 10);
  EXPECT_TRUE(BinaryStreamEOF(stream.get()));

  // A created stream reads what it wrote.
  BinaryStreamSetPosition(stream.get(), 2);
  EXPECT_EQ(BinaryStreamReadByte(stream.get()), '2');
  BinaryStreamSetPosition(stream.get(), -1);  // refused: the position stays
  EXPECT_EQ(BinaryStreamGetPosition(stream.get()), 3);

  BinaryStreamSetLength(stream.get(), 4);
  EXPECT_EQ(BinaryStreamGetLength(stream.get()), 4);
  EXPECT_EQ(BinaryStreamGetPosition(stream.get()), 3);
  BinaryStreamSetLength(stream.get(), 6);
  BinaryStreamSetLength(stream.get(), -3);  // refused
  EXPECT_EQ(BinaryStreamGetLength(stream.get()), 6);
  BinaryStreamClose(stream.get());
  EXPECT_EQ(folder.read("sized.bin"), "0123\0\0"s);

  // Opened for reading only, writes change nothing; opened writable, they overwrite in place.
  Owned read_only(FolderItemOpenBinaryFile(item.get(), false));
  BinaryStreamWrite(read_only.get(), text.get());
  BinaryStreamClose(read_only.get());
  EXPECT_EQ(folder.read("sized.bin"), "0123\0\0"s);
  Owned writable(FolderItemOpenBinaryFile(item.get(), true));
  BinaryStreamSetPosition(writable.get(), 4);
  BinaryStreamWriteShort(writable.get(), 0x4142);
  BinaryStreamClose(writable.get());
  EXPECT_EQ(folder.read("sized.bin"), "0123AB"s);
}

TEST(BinaryStream, ClosedStreamsReadZeroAndIgnoreWrites) {
  TempFolder folder;
  Owned item = folder.item("closed.bin");
  Owned stream(FolderItemCreateBinaryFile(item.get()));
  BinaryStreamWriteLong(stream.get(), 7);
  BinaryStreamClose(stream.get());
  BinaryStreamClose(stream.get());
  BinaryStreamWriteLong(stream.get(), 8);
  StringRef text = text_ref("x");
  BinaryStreamWritePString(stream.get(), text.get());
  BinaryStreamSetLength(stream.get(), 100);
  EXPECT_EQ(folder.read("closed.bin"), "\x00\x00\x00\x07"s);
  EXPECT_TRUE(BinaryStreamEOF(stream.get()));
  EXPECT_EQ(BinaryStreamReadLong(stream.get()), 0);
  EXPECT_EQ(BinaryStreamGetLength(stream.get()), 0);
  EXPECT_EQ(BinaryStreamGetPosition(stream.get()), 0);
  EXPECT_EQ(take(BinaryStreamRead(stream.get(), 3)), "");
  EXPECT_TRUE(BinaryStreamEOF(nullptr));
  EXPECT_EQ(BinaryStreamReadByte(item.get()), 0);  // not a stream
  EXPECT_EQ(FolderItemOpenBinaryFile(folder.item("missing.bin").get(), false), nullptr);
}

}  // namespace
}  // namespace ql::testing
