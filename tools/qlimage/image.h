// An application image: the four blocks, and their serialised form (each a little-endian u32 length and the
// bytes, in the order code1, code2, data1, data2).
#pragma once

#include <stdint.h>

#include <optional>
#include <string>

#include "qlimage/bytes.h"

namespace qlimage {

struct Image {
  Bytes code1;
  Bytes code2;
  Bytes data1;
  Bytes data2;
};

Bytes serialize_image(const Image& image);

// Reads the four blocks starting at `offset`. The blocks must end at or before `limit`; `end` receives where
// they end. On failure `problem` says which block is cut off where.
std::optional<Image> parse_image(ByteView file, uint64_t offset, uint64_t limit, uint64_t& end,
                                 std::string& problem);

}  // namespace qlimage
