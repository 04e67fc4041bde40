// The data qlimage writes into data1 itself: string constants, project items, the project table.
#include "qlimage/generated_data.h"

#include <algorithm>

#include "qlimage/settings_stream.h"
#include "image/image_format.h"

namespace qlimage {
namespace {

uint32_t here(const Bytes& data1) { return static_cast<uint32_t>(data1.size()); }

void append_pointer_list(Bytes& data1, const std::vector<uint32_t>& pointers, std::vector<DataWord>& words) {
  append_u32(data1, static_cast<uint32_t>(pointers.size()));
  for (uint32_t pointer : pointers) {
    if (pointer != 0) words.push_back({here(data1), false});
    append_u32(data1, pointer);
  }
}

}  // namespace

uint32_t append_string_constant(Bytes& data1, std::string_view text, uint16_t machine,
                                std::vector<DataWord>& words) {
  pad_to(data1, 4);
  uint32_t buffer = here(data1);
  append_u8(data1, static_cast<uint8_t>(std::min<size_t>(text.size(), 255)));
  append_text(data1, text);
  append_u8(data1, 0);
  pad_to(data1, 4);
  uint32_t length = static_cast<uint32_t>(text.size());
  uint32_t header;
  if (machine == coff::kMachineAmd64) {
    pad_to(data1, 8);
    header = here(data1);
    append_u32(data1, 1);  // reference count
    append_u32(data1, 0);  // padding before the 8-byte buffer pointer
    words.push_back({here(data1), false});
    append_u32(data1, buffer);
    append_u32(data1, 0);  // high word of the pointer
  } else {
    header = here(data1);
    append_u32(data1, 1);
    words.push_back({here(data1), false});
    append_u32(data1, buffer);
  }
  append_u32(data1, length);  // buffer size
  append_u32(data1, length);  // length
  return header;
}

uint32_t append_settings_item(Bytes& data1, const Settings& settings) {
  pad_to(data1, 4);
  uint32_t item = here(data1);
  Bytes stream = encode_settings_stream(settings);
  append_u32(data1, ql::image::kItemSettings);
  append_u32(data1, 0);  // chain head of the discarded text links: none
  append_u32(data1, static_cast<uint32_t>(stream.size()));
  append_bytes(data1, stream);
  return item;
}

uint32_t append_project_table(Bytes& data1, const std::vector<uint32_t>& classes,
                              const std::vector<uint32_t>& items, std::vector<DataWord>& words) {
  pad_to(data1, 4);
  uint32_t table = here(data1);
  append_pointer_list(data1, classes, words);
  append_pointer_list(data1, items, words);
  return table;
}

}  // namespace qlimage
