// Writes and reads files from compiled code: a text file and a binary file next to the program, a file
// chosen in the Save dialog, a cancelled dialog, and the object dump. Traces what it reads back.
#include "quillet.h"

using quillet::Str;

namespace {

// Owns one reference to an object and gives it back when it goes.
class Obj {
 public:
  explicit Obj(QlObject* owned) : object_(owned) {}
  Obj(const Obj&) = delete;
  Obj& operator=(const Obj&) = delete;
  ~Obj() { RuntimeUnlockObject(object_); }
  QlObject* get() const { return object_; }

 private:
  QlObject* object_;
};

void trace_number(double n) {
  Str text(StringStr(n));
  lineTrace(text.get());
}

void write_and_read_text() {
  Obj item(RuntimeGetFolderItem(QL_STR("files.txt")));
  {
    Obj out(FolderItemCreateTextFile(item.get()));
    TextOutputStreamWriteLine(out.get(), QL_STR("first line"));
    stringSetter(out.get(), QL_TEXT_OUTPUT_STREAM_DELIMITER_OFFSET, QL_STR("\n"));
    TextOutputStreamWriteLine(out.get(), QL_STR("second"));
    TextOutputStreamClose(out.get());
  }
  Obj in(FolderItemOpenTextFile(item.get()));
  while (!TextInputStreamEOF(in.get())) {
    Str line(TextInputStreamReadLine(in.get()));
    lineTrace(line.get());
  }
}

void write_and_read_binary() {
  Obj item(RuntimeGetFolderItem(QL_STR("numbers.bin")));
  {
    Obj out(FolderItemCreateBinaryFile(item.get()));
    BinaryStreamWriteLong(out.get(), 258);
    int8Setter(out.get(), QL_BINARY_STREAM_LITTLE_ENDIAN_OFFSET, 1);
    BinaryStreamWriteShort(out.get(), -257);
  }
  Obj in(FolderItemOpenBinaryFile(item.get(), false));
  trace_number(BinaryStreamReadLong(in.get()));
  trace_number(BinaryStreamReadShort(in.get()));
  trace_number(BinaryStreamGetLength(in.get()));
}

void save_through_the_dialog() {
  Obj chosen(RuntimeGetSaveFolderItem(QL_STR("Text"), QL_STR("suggested.txt")));
  if (!chosen.get()) {
    lineTrace(QL_STR("nothing chosen"));
    return;
  }
  Obj out(FolderItemCreateTextFile(chosen.get()));
  TextOutputStreamWriteLine(out.get(), QL_STR("saved by dialog"));
  Str name(fileNameGetter(chosen.get()));
  lineTrace(name.get());
}

}  // namespace

extern "C" void app_entry() {
  quillet::start_runtime();
  write_and_read_text();
  write_and_read_binary();
  save_through_the_dialog();
  save_through_the_dialog();
  Obj dump(RuntimeGetFolderItem(QL_STR("objects.txt")));
  debugDumpObjects(dump.get());
  RuntimeRun();
}
