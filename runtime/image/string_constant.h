// String constants in data1: a length-prefixed, NUL-terminated buffer padded to 4 bytes, then the string
// header that refers to it (reference count 1, buffer, size, length). Compiled code and the image's records
// point at the header; its layout follows the target's pointer size (16 bytes with 4-byte pointers, 24 with
// 8).
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "image/project_table.h"

namespace ql::image {

constexpr uint32_t string_header_size(uint32_t pointer_size) { return pointer_size == 8 ? 24 : 16; }

struct EncodedStringConstant {
  std::vector<uint8_t> bytes;  // the buffer at offset 0, then the header
  uint32_t header = 0;         // offset of the header in bytes
  uint32_t buffer_word = 0;    // offset of the header's buffer pointer, which holds 0 (the buffer's offset)
};

// The record as it lies in data1 before relocation; place it at an offset that is a multiple of the
// pointer size, so that the header is aligned.
EncodedStringConstant encode_string_constant(std::string_view text, uint32_t pointer_size);

// The text of the string constant whose header lies at pointer (0: the empty string). False when the header
// or its buffer does not lie inside data1, or the two disagree about the length.
bool read_string_constant(const Data1View& data1, uint32_t pointer, std::string& out);

}  // namespace ql::image
