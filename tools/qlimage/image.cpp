// Application images: the four blocks and their serialised form.
#include "qlimage/image.h"

namespace qlimage {

Bytes serialize_image(const Image& image) {
  Bytes out;
  for (const Bytes* block : {&image.code1, &image.code2, &image.data1, &image.data2}) {
    append_u32(out, static_cast<uint32_t>(block->size()));
    append_bytes(out, *block);
  }
  return out;
}

std::optional<Image> parse_image(ByteView file, uint64_t offset, uint64_t limit, uint64_t& end,
                                 std::string& problem) {
  static constexpr const char* kNames[] = {"code1", "code2", "data1", "data2"};
  Image image;
  Bytes* blocks[] = {&image.code1, &image.code2, &image.data1, &image.data2};
  ByteView view = file.sub(0, std::min<uint64_t>(limit, file.size()));
  uint64_t at = offset;
  for (int i = 0; i < 4; ++i) {
    uint32_t length = 0;
    if (!view.u32(at, length)) {
      problem = std::string("the length word of ") + kNames[i] + " at file offset " + hex(at) +
                " lies past the end of the image (" + hex(view.size()) + ")";
      return std::nullopt;
    }
    if (!view.has(at + 4, length)) {
      problem = std::string(kNames[i]) + " at file offset " + hex(at) + " claims " + std::to_string(length) +
                " bytes, but only " + std::to_string(view.size() - at - 4) + " remain";
      return std::nullopt;
    }
    blocks[i]->assign(view.data() + at + 4, view.data() + at + 4 + length);
    at += 4 + uint64_t{length};
  }
  end = at;
  return image;
}

}  // namespace qlimage
