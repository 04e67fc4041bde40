// Fuzz target: picture records. The input is the record from its kind word to the end of data1; a record
// that decodes must have all its pixel rows inside it.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "image/picture_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000000) return -1;
  std::vector<uint8_t> record(data, data + size);
  ql::image::PictureRecord picture;
  std::string problem;
  if (!ql::image::decode_picture_record(record.data(), static_cast<uint32_t>(size), picture, problem)) {
    if (problem.empty()) __builtin_trap();
    return 0;
  }
  const uint64_t rows = uint64_t{ql::image::row_bytes(picture.depth, picture.width)} * picture.height;
  if (picture.pixels < record.data() || rows > picture.byte_count ||
      picture.pixels + picture.byte_count > record.data() + record.size())
    __builtin_trap();
  volatile uint8_t last = picture.byte_count ? picture.pixels[picture.byte_count - 1] : 0;
  (void)last;
  return 0;
}
