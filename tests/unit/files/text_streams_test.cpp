// Text streams on real files in a temporary folder.
#include <gtest/gtest.h>

#include <vector>

#include "file_test_support.h"
#include "files/stream_objects.h"
#include "quillet/strings.h"

namespace ql::testing {
namespace {

std::vector<std::string> read_lines(QlObject* stream, int limit = 100) {
  std::vector<std::string> lines;
  while (!TextInputStreamEOF(stream) && limit-- > 0) lines.push_back(take(TextInputStreamReadLine(stream)));
  return lines;
}

std::vector<std::string> lines_of(const TempFolder& folder, const std::string& bytes) {
  folder.write("lines.txt", bytes);
  Owned item = folder.item("lines.txt");
  Owned stream(FolderItemOpenTextFile(item.get()));
  EXPECT_NE(stream.get(), nullptr);
  return read_lines(stream.get());
}

using Lines = std::vector<std::string>;

TEST(TextInput, LinesEndAtCarriageReturnLineFeedOrBoth) {
  TempFolder folder;
  folder.write("mixed.txt", "a\r\nb\r\rc");
  Owned item = folder.item("mixed.txt");
  Owned stream(FolderItemOpenTextFile(item.get()));
  ASSERT_NE(stream.get(), nullptr);
  EXPECT_FALSE(TextInputStreamEOF(stream.get()));
  EXPECT_EQ(take(TextInputStreamReadLine(stream.get())), "a");
  EXPECT_EQ(take(TextInputStreamReadLine(stream.get())), "b");
  EXPECT_EQ(take(TextInputStreamReadLine(stream.get())), "");
  EXPECT_FALSE(TextInputStreamEOF(stream.get()));
  EXPECT_EQ(take(TextInputStreamReadLine(stream.get())), "c");
  EXPECT_TRUE(TextInputStreamEOF(stream.get()));
  EXPECT_EQ(take(TextInputStreamReadLine(stream.get())), "");  // past the end

  EXPECT_EQ(lines_of(folder, "one\ntwo\n"), (Lines{"one", "two"}));
  EXPECT_EQ(lines_of(folder, "x\n\ry"), (Lines{"x", "", "y"}));  // LF then CR ends two lines
  EXPECT_EQ(lines_of(folder, "\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(lines_of(folder, "last"), (Lines{"last"}));
  EXPECT_EQ(lines_of(folder, ""), Lines{});
}

TEST(TextInput, LineEndsSplitAcrossTheBufferBoundary) {
  TempFolder folder;
  const std::string first(1023, 'x');
  // The CR is the buffer's 1024th byte and its LF arrives with the next refill: one line end.
  EXPECT_EQ(lines_of(folder, first + "\r\nnext"), (Lines{first, "next"}));
  // The same CR followed by another CR: an empty line between.
  EXPECT_EQ(lines_of(folder, first + "\r\rnext"), (Lines{first, "", "next"}));
  // A CR at the very end of a full buffer and of the file.
  EXPECT_EQ(lines_of(folder, first + "\r"), (Lines{first}));
  // A line longer than the buffer is read in pieces and joined.
  const std::string longer(5000, 'y');
  EXPECT_EQ(lines_of(folder, longer + "\r\n" + longer), (Lines{longer, longer}));
  // An LF that is the first byte of a refill, after a line that filled the buffer exactly.
  const std::string full(1024, 'z');
  EXPECT_EQ(lines_of(folder, full + "\nend"), (Lines{full, "end"}));
}

TEST(TextInput, ReadAllGivesTheRestOfTheBufferAndTheFile) {
  TempFolder folder;
  std::string tail(3000, 'q');
  folder.write("all.txt", "head\r\n" + tail);
  Owned item = folder.item("all.txt");
  Owned stream(FolderItemOpenTextFile(item.get()));
  EXPECT_EQ(take(TextInputStreamReadLine(stream.get())), "head");
  EXPECT_EQ(take(TextInputStreamReadAll(stream.get())), tail);
  EXPECT_TRUE(TextInputStreamEOF(stream.get()));
  EXPECT_EQ(take(TextInputStreamReadAll(stream.get())), "");
}

TEST(TextStreams, EveryByteValuePassesUnchanged) {
  TempFolder folder;
  std::string bytes;
  for (int value = 0; value < 256; ++value) {
    if (value != '\r' && value != '\n') bytes += static_cast<char>(value);
  }
  Owned item = folder.item("bytes.txt");
  {
    Owned out(FolderItemCreateTextFile(item.get()));
    ASSERT_NE(out.get(), nullptr);
    StringRef text = text_ref(bytes);
    TextOutputStreamWriteLine(out.get(), text.get());
    TextOutputStreamWrite(out.get(), text.get());
    TextOutputStreamClose(out.get());
  }
  EXPECT_EQ(folder.read("bytes.txt"), bytes + "\r\n" + bytes);
  Owned in(FolderItemOpenTextFile(item.get()));
  EXPECT_EQ(read_lines(in.get()), (Lines{bytes, bytes}));
}

TEST(TextOutput, WriteLineEndsWithTheDelimiterOrCarriageReturnLineFeed) {
  TempFolder folder;
  Owned item = folder.item("out.txt");
  Owned out(FolderItemCreateTextFile(item.get()));
  ASSERT_NE(out.get(), nullptr);
  StringRef line = text_ref("line");
  TextOutputStreamWriteLine(out.get(), line.get());
  StringRef cr = text_ref("\r");
  stringSetter(out.get(), QL_TEXT_OUTPUT_STREAM_DELIMITER_OFFSET, cr.get());
  EXPECT_EQ(take(stringGetter(out.get(), QL_TEXT_OUTPUT_STREAM_DELIMITER_OFFSET)), "\r");
  TextOutputStreamWriteLine(out.get(), line.get());
  StringRef dashes = text_ref("--");
  stringSetter(out.get(), QL_TEXT_OUTPUT_STREAM_DELIMITER_OFFSET, dashes.get());
  TextOutputStreamWriteLine(out.get(), nullptr);
  TextOutputStreamWrite(out.get(), line.get());
  EXPECT_EQ(folder.read("out.txt"), "line\r\nline\r--line");
}

TEST(TextStreams, ClosedStreamsReadNothingAndIgnoreWrites) {
  TempFolder folder;
  folder.write("in.txt", "abc\r\n");
  Owned item = folder.item("in.txt");
  Owned in(FolderItemOpenTextFile(item.get()));
  TextInputStreamClose(in.get());
  TextInputStreamClose(in.get());  // a second close does nothing
  EXPECT_EQ(take(TextInputStreamReadLine(in.get())), "");
  EXPECT_EQ(take(TextInputStreamReadAll(in.get())), "");
  EXPECT_FALSE(TextInputStreamEOF(in.get()));

  Owned out_item = folder.item("out.txt");
  Owned out(FolderItemCreateTextFile(out_item.get()));
  StringRef text = text_ref("kept");
  TextOutputStreamWrite(out.get(), text.get());
  TextOutputStreamClose(out.get());
  TextOutputStreamWrite(out.get(), text.get());
  TextOutputStreamWriteLine(out.get(), text.get());
  TextOutputStreamClose(out.get());
  EXPECT_EQ(folder.read("out.txt"), "kept");

  // Nil and objects of other classes are treated as closed streams, not as memory to read.
  EXPECT_EQ(take(TextInputStreamReadLine(nullptr)), "");
  EXPECT_EQ(take(TextInputStreamReadLine(item.get())), "");
  TextOutputStreamWrite(item.get(), text.get());
  TextOutputStreamClose(nullptr);
}

TEST(TextOutput, OpeningCreatesEmptiesAppendsOrRefuses) {
  TempFolder folder;
  Owned missing = folder.item("missing.txt");
  EXPECT_EQ(FolderItemOpenTextFile(missing.get()), nullptr);
  EXPECT_FALSE(folder.exists("missing.txt"));
  EXPECT_EQ(FolderItemOpenTextFile(nullptr), nullptr);
  EXPECT_EQ(FolderItemCreateTextFile(nullptr), nullptr);

  // Appending to a missing file creates it.
  StringRef one = text_ref("one");
  {
    Owned out(FolderItemAppendTextFile(missing.get()));
    ASSERT_NE(out.get(), nullptr);
    TextOutputStreamWriteLine(out.get(), one.get());
  }
  StringRef two = text_ref("two");
  {
    Owned out(FolderItemAppendTextFile(missing.get()));
    TextOutputStreamWriteLine(out.get(), two.get());
  }
  EXPECT_EQ(folder.read("missing.txt"), "one\r\ntwo\r\n");
  {
    Owned out(FolderItemCreateTextFile(missing.get()));
    TextOutputStreamWrite(out.get(), two.get());
  }
  EXPECT_EQ(folder.read("missing.txt"), "two");

  // A path in a folder that does not exist is refused by every opener.
  Owned nowhere = folder.item("no-such-folder\\x.txt");
  EXPECT_EQ(FolderItemCreateTextFile(nowhere.get()), nullptr);
  EXPECT_EQ(FolderItemAppendTextFile(nowhere.get()), nullptr);
  EXPECT_EQ(FolderItemCreateBinaryFile(nowhere.get()), nullptr);

  // A NUL byte would cut the path short and name another file: such a path is refused.
  Owned cut(new_folder_item(folder.at("cut.txt") + std::string(1, '\0') + ".exe"));
  EXPECT_EQ(FolderItemCreateTextFile(cut.get()), nullptr);
  EXPECT_EQ(FolderItemAppendTextFile(cut.get()), nullptr);
  EXPECT_FALSE(folder.exists("cut.txt"));
  folder.write("cut.txt", "intact");
  EXPECT_FALSE(fileExistsGetter(cut.get()));
  EXPECT_EQ(FolderItemCreateBinaryFile(cut.get()), nullptr);
  EXPECT_EQ(folder.read("cut.txt"), "intact");
}

// A file object that records what happens to it, to see what a stream does with its file.
struct Journal {
  int destroyed = 0;
};
class RecordingFile final : public FileObject {
 public:
  explicit RecordingFile(Journal& journal) : journal_(journal) {}
  ~RecordingFile() override { ++journal_.destroyed; }
  int32_t read(void*, int32_t) override { return 0; }
  int32_t write(const void*, int32_t n) override { return n; }
  void close() override {}
  bool at_end() override { return false; }  // claims more to come but never yields any
  bool set_position(int64_t) override { return true; }
  int64_t length() override { return 0; }
  bool set_length(int64_t) override { return true; }
  int64_t position() override { return 0; }

 private:
  Journal& journal_;
};

TEST(TextStreams, DestroyingAStreamFreesItsFile) {
  Journal journal;
  QlObject* stream = new_text_input_stream(new RecordingFile(journal));
  // A file that never reaches its end but yields nothing does not hold a reader forever.
  EXPECT_EQ(take(TextInputStreamReadLine(stream)), "");
  release_object(stream);
  EXPECT_EQ(journal.destroyed, 1);

  Journal output;
  stream = new_text_output_stream(new RecordingFile(output));
  TextOutputStreamClose(stream);
  EXPECT_EQ(output.destroyed, 1);
  release_object(stream);
  EXPECT_EQ(output.destroyed, 1);  // closed once only

  Journal binary;
  release_object(new_binary_stream(new RecordingFile(binary)));
  EXPECT_EQ(binary.destroyed, 1);
  EXPECT_EQ(new_binary_stream(nullptr), nullptr);
}

}  // namespace
}  // namespace ql::testing
