// Writing and reading string constants.
#include "image/string_constant.h"

#include <algorithm>
#include <cstring>

namespace ql::image {

namespace {

void put_word(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

EncodedStringConstant encode_string_constant(std::string_view text, uint32_t pointer_size) {
  EncodedStringConstant out;
  std::vector<uint8_t>& bytes = out.bytes;
  // The length byte, the text and its NUL, padded so that the header after them is aligned.
  bytes.assign((text.size() + 2 + pointer_size - 1) / pointer_size * pointer_size, 0);
  bytes[0] = static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
  if (!text.empty()) std::memcpy(bytes.data() + 1, text.data(), text.size());
  out.header = static_cast<uint32_t>(bytes.size());
  uint32_t length = static_cast<uint32_t>(text.size());
  put_word(bytes, 1);  // reference count
  if (pointer_size == 8) put_word(bytes, 0);
  out.buffer_word = static_cast<uint32_t>(bytes.size());
  put_word(bytes, 0);
  if (pointer_size == 8) put_word(bytes, 0);  // the high word of an address below 2 GiB
  put_word(bytes, length);                    // buffer size
  put_word(bytes, length);
  return out;
}

bool read_string_constant(const Data1View& data1, uint32_t pointer, std::string& out) {
  out.clear();
  if (pointer == 0) return true;
  bool wide = data1.pointer_size == 8;
  const uint8_t* header = data1.at(pointer, string_header_size(data1.pointer_size));
  if (!header) return false;
  // With 8-byte pointers the buffer was relocated through its low word; the high word stays 0.
  uint32_t buffer = read_word(header + (wide ? 8 : 4));
  uint32_t high = wide ? read_word(header + 12) : 0;
  uint32_t length = read_word(header + (wide ? 20 : 12));
  if (high != 0 || length > data1.length) return false;
  const uint8_t* bytes = data1.at(buffer, length + 2);
  if (!bytes || bytes[0] != std::min<uint32_t>(length, 255) || bytes[length + 1] != 0) return false;
  out.assign(reinterpret_cast<const char*>(bytes + 1), length);
  return true;
}

}  // namespace ql::image
