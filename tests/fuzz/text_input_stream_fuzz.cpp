// Fuzz target: TextInputStream on files of random bytes. ReadLine must give the lines a plain reading of
// the bytes gives (each ending at CR, LF or CR LF), EOF must come exactly after the last, and ReadAll after
// some lines must give the rest of the file.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "files/folder_item.h"
#include "fuzz_input_file.h"
#include "quillet/files.h"
#include "unit/files/file_test_support.h"
#include "unit/runtime_classes.h"

namespace {

using ql::testing::Owned;
using ql::testing::take;

struct Line {
  std::string text;
  size_t next;  // offset just past its line end
};

std::vector<Line> reference_lines(const std::string& bytes) {
  std::vector<Line> lines;
  for (size_t at = 0; at < bytes.size();) {
    size_t end = bytes.find_first_of("\r\n", at);
    if (end == std::string::npos) end = bytes.size();
    size_t next = end;
    if (next < bytes.size())
      next += bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n' ? 2 : 1;
    lines.push_back({bytes.substr(at, end - at), next});
    at = next;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ql::testing::define_runtime_classes();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x40000) return -1;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<Line> expected = reference_lines(bytes);
  Owned item(ql::new_folder_item(ql::fuzz::write_input_file(data, size)));

  Owned stream(FolderItemOpenTextFile(item.get()));
  if (!stream.get()) __builtin_trap();
  for (const Line& line : expected) {
    if (TextInputStreamEOF(stream.get()) || take(TextInputStreamReadLine(stream.get())) != line.text)
      __builtin_trap();
  }
  if (!TextInputStreamEOF(stream.get()) || !take(TextInputStreamReadLine(stream.get())).empty())
    __builtin_trap();

  // The input's last byte chooses how many lines to read before reading the rest at once.
  Owned again(FolderItemOpenTextFile(item.get()));
  const size_t before = size && !expected.empty() ? data[size - 1] % (expected.size() + 1) : 0;
  for (size_t i = 0; i < before; ++i) take(TextInputStreamReadLine(again.get()));
  const size_t rest = before ? expected[before - 1].next : 0;
  if (take(TextInputStreamReadAll(again.get())) != bytes.substr(rest)) __builtin_trap();
  TextInputStreamClose(again.get());
  if (TextInputStreamEOF(again.get()) || !take(TextInputStreamReadAll(again.get())).empty()) __builtin_trap();
  return 0;
}
