#include "objects/descriptor_reader.h"

#include <stddef.h>
#include <string.h>

#include "quillet/types.h"

namespace ql {

bool read_string_constant(const image::Data1View& data1, uint32_t pointer, std::string& out) {
  out.clear();
  if (pointer == 0) return true;
  const uint8_t* header = data1.at(pointer, sizeof(QlStringHeader));
  if (!header) return false;
  // The buffer pointer was relocated through its low word; with 8-byte pointers the high word stays 0.
  uintptr_t buffer = 0;
  int32_t length = 0;
  memcpy(&buffer, header + offsetof(QlStringHeader, buffer), sizeof buffer);
  memcpy(&length, header + offsetof(QlStringHeader, length), sizeof length);
  if (buffer > UINT32_MAX || length < 0) return false;
  const uint8_t* bytes = data1.at(static_cast<uint32_t>(buffer), static_cast<uint32_t>(length) + 1);
  if (!bytes) return false;
  out.assign(reinterpret_cast<const char*>(bytes + 1), static_cast<size_t>(length));
  return true;
}

DescriptorReader::DescriptorReader(const image::Data1View& data1, const CodeRange& code1, uint32_t index,
                                   uint32_t at, std::string& problem)
    : data1_(data1), code1_(code1), index_(index), at_(at), problem_(problem) {}

bool DescriptorReader::fail(const std::string& what) {
  problem_ = "class descriptor " + std::to_string(index_) + " " + what;
  return false;
}

bool DescriptorReader::word(uint32_t& out) {
  const uint8_t* bytes = data1_.at(at_, 4);
  if (!bytes) return fail("is cut short by the end of data1");
  out = image::read_word(bytes);
  at_ += 4;
  return true;
}

bool DescriptorReader::count(uint32_t& out, uint32_t entry_words, const char* what) {
  if (!word(out)) return false;
  if (out > data1_.length / 4 / entry_words || !data1_.at(at_, out * entry_words * 4)) {
    return fail("claims " + std::to_string(out) + " " + what + ", more than the rest of data1 holds");
  }
  return true;
}

bool DescriptorReader::text(std::string& out, const char* what) {
  uint32_t pointer;
  if (!word(pointer)) return false;
  if (!read_string_constant(data1_, pointer, out))
    return fail("has a " + std::string(what) + " outside data1");
  return true;
}

bool DescriptorReader::code(uintptr_t& out, const char* what) {
  uint32_t address;
  if (!word(address)) return false;
  out = 0;
  if (address == 0) return true;
  if (address < code1_.address || address - code1_.address >= code1_.length) {
    return fail("has a " + std::string(what) + " address outside the compiled code");
  }
  out = code1_.base + (address - code1_.address);
  return true;
}

}  // namespace ql
