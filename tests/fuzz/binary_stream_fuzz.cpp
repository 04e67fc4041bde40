// Fuzz target: BinaryStream reads, writes, positions and lengths on a file of random bytes, checked step by
// step against a model of the file held in memory, and the file against the model at the end.
//
// The input: one byte n, then n operation bytes (each an operation in its low 4 bits and an argument in its
// high 4), then the file's starting content.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/folder_item.h"
#include "files/stream_objects.h"
#include "fuzz_input_file.h"
#include "quillet/files.h"
#include "unit/files/file_test_support.h"
#include "unit/runtime_classes.h"
#include "values/string_ref.h"

namespace {

using ql::testing::Owned;
using ql::testing::take;

struct Model {
  std::vector<uint8_t> bytes;
  size_t position = 0;
  bool little_endian = false;

  // The bytes a read of n gets, advancing past those that exist.
  std::vector<uint8_t> read(size_t n) {
    std::vector<uint8_t> got;
    while (n-- > 0 && position < bytes.size()) got.push_back(bytes[position++]);
    return got;
  }
  template <typename T>
  T value() {
    std::vector<uint8_t> got = read(sizeof(T));
    if (got.size() != sizeof(T)) return T{};
    if (!little_endian) std::reverse(got.begin(), got.end());
    T v;
    memcpy(&v, got.data(), sizeof(T));
    return v;
  }
  void write(const std::vector<uint8_t>& data) {
    if (position > bytes.size()) bytes.resize(position, 0);
    for (uint8_t b : data) {
      if (position < bytes.size()) {
        bytes[position] = b;
      } else {
        bytes.push_back(b);
      }
      ++position;
    }
  }
  template <typename T>
  void write_value(T v) {
    std::vector<uint8_t> out(sizeof(T));
    memcpy(out.data(), &v, sizeof(T));
    if (!little_endian) std::reverse(out.begin(), out.end());
    write(out);
  }
};

template <typename T>
bool same_bits(T a, T b) {
  return memcmp(&a, &b, sizeof(T)) == 0;
}

std::string text_of(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

QlString new_string(const std::string& text) {
  return ql::string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ql::testing::define_runtime_classes();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 0x10000) return -1;
  const size_t op_count = std::min<size_t>(data[0], size - 1);
  const uint8_t* ops = data + 1;
  Model model;
  model.bytes.assign(data + 1 + op_count, data + size);
  Owned item(ql::new_folder_item(ql::fuzz::write_input_file(model.bytes.data(), model.bytes.size())));
  Owned stream(FolderItemOpenBinaryFile(item.get(), true));
  if (!stream.get()) __builtin_trap();
  QlObject* s = stream.get();

  for (size_t i = 0; i < op_count; ++i) {
    const uint8_t op = ops[i] & 0x0F;
    const uint8_t arg = ops[i] >> 4;
    const std::string pattern(arg, static_cast<char>('a' + arg));
    bool same = true;
    switch (op) {
      case 0:
        same = BinaryStreamReadByte(s) == model.value<uint8_t>();
        break;
      case 1:
        same = BinaryStreamReadShort(s) == model.value<int16_t>();
        break;
      case 2:
        same = BinaryStreamReadLong(s) == model.value<int32_t>();
        break;
      case 3:
        same = same_bits(BinaryStreamReadFloat(s), static_cast<double>(model.value<float>()));
        break;
      case 4:
        same = same_bits(BinaryStreamReadDouble(s), model.value<double>());
        break;
      case 5: {
        std::vector<uint8_t> length = model.read(1);
        std::vector<uint8_t> text = length.empty() ? length : model.read(length[0]);
        std::string want = !length.empty() && text.size() == length[0] ? text_of(text) : std::string();
        same = take(BinaryStreamReadPString(s)) == want;
        break;
      }
      case 6:
        same = take(BinaryStreamRead(s, arg * 3 - 2)) == text_of(model.read(arg ? arg * 3 - 2 : 0));
        break;
      case 7:
        model.position = model.bytes.size() * arg / 15 + (arg == 15 ? 3 : 0);
        BinaryStreamSetPosition(s, static_cast<int32_t>(model.position));
        break;
      case 8:
        same = BinaryStreamGetPosition(s) == static_cast<int32_t>(model.position);
        break;
      case 9:
        same = BinaryStreamGetLength(s) == static_cast<int32_t>(model.bytes.size());
        break;
      case 10:
        same = BinaryStreamEOF(s) == (model.position >= model.bytes.size());
        break;
      case 11:
        model.little_endian = arg & 1;
        ql::as_binary_stream(s)->little_endian = model.little_endian;
        break;
      case 12:
        BinaryStreamWriteShort(s, arg * 0x1357 - 0x4000);
        model.write_value(static_cast<int16_t>(arg * 0x1357 - 0x4000));
        break;
      case 13:
        BinaryStreamWriteDouble(s, arg / 3.0);
        model.write_value(arg / 3.0);
        break;
      case 14: {
        ql::StringRef text(new_string(pattern));
        BinaryStreamWritePString(s, text.get());
        std::vector<uint8_t> record{arg};
        record.insert(record.end(), pattern.begin(), pattern.end());
        model.write(record);
        break;
      }
      default: {
        size_t length = model.bytes.size() * arg / 15 + (arg == 15 ? 5 : 0);
        BinaryStreamSetLength(s, static_cast<int32_t>(length));
        model.bytes.resize(length, 0);
        break;
      }
    }
    if (!same) __builtin_trap();
  }
  BinaryStreamClose(s);
  if (!BinaryStreamEOF(s) || BinaryStreamReadLong(s) != 0 || BinaryStreamGetLength(s) != 0) __builtin_trap();
  std::ifstream file(ql::fuzz::input_path(), std::ios::binary);
  const std::vector<uint8_t> on_disk{std::istreambuf_iterator<char>(file), {}};
  if (on_disk != model.bytes) __builtin_trap();
  return 0;
}
