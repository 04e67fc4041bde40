// Decoding picture records.
#include "image/picture_record.h"

#include "image/image_format.h"
#include "image/project_table.h"

namespace ql::image {

bool decode_picture_record(const uint8_t* record, uint32_t available, PictureRecord& out,
                           std::string& problem) {
  if (available < kPictureHeaderSize) {
    problem = "the picture record is cut short";
    return false;
  }
  out.transparent = read_word(record + 4);
  out.depth = read_word(record + 8);
  out.width = read_word(record + 12);
  out.height = read_word(record + 16);
  out.byte_count = read_word(record + 20);
  if (out.depth == 0 || out.depth > 32 || out.width > kMaxPictureSide || out.height > kMaxPictureSide) {
    problem = "the picture's depth " + std::to_string(out.depth) + " or size " + std::to_string(out.width) +
              " x " + std::to_string(out.height) + " is not one a picture can have";
    return false;
  }
  uint64_t needed = uint64_t{row_bytes(out.depth, out.width)} * out.height;
  if (out.byte_count < needed || out.byte_count > available - kPictureHeaderSize) {
    problem = "the picture's " + std::to_string(out.byte_count) + " bytes of pixels do not hold " +
              std::to_string(out.width) + " x " + std::to_string(out.height) + " pixels or do not fit data1";
    return false;
  }
  out.pixels = record + kPictureHeaderSize;
  return true;
}

std::vector<uint8_t> encode_picture_record(uint32_t transparent, uint32_t depth, uint32_t width,
                                           uint32_t height, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> out;
  uint32_t byte_count = static_cast<uint32_t>(pixels.size());
  for (uint32_t word : {static_cast<uint32_t>(kItemPicture), transparent, depth, width, height, byte_count}) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(word >> (8 * i)));
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

}  // namespace ql::image
