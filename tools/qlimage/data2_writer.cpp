// Writing data2: the relocation words of data1 as runs and skips.
#include "qlimage/data2_writer.h"

#include <algorithm>

#include "image/image_format.h"

namespace qlimage {

std::optional<Bytes> write_data2(std::vector<DataWord> words, uint32_t data1_size, Diagnostics& diagnostics) {
  std::sort(words.begin(), words.end(),
            [](const DataWord& a, const DataWord& b) { return a.offset < b.offset; });
  Bytes data2;
  uint64_t cursor = 0;
  size_t i = 0;
  while (i < words.size()) {
    uint64_t offset = words[i].offset;
    if (offset < cursor || offset + 4 > data1_size) {
      diagnostics.error("the relocated word at data1+" + hex(offset) +
                        (offset < cursor ? " overlaps the word before it" : " lies past the end of data1"));
      return std::nullopt;
    }
    for (uint64_t gap = offset - cursor; gap > 0;) {
      uint64_t step = std::min<uint64_t>(gap, ql::image::kMaxSkip);
      append_u16(data2, static_cast<uint16_t>(ql::image::kSkip | (step - 1)));
      gap -= step;
    }
    bool code = words[i].code;
    uint32_t count = 1;
    while (i + count < words.size() && count < ql::image::kMaxRunWords && words[i + count].code == code &&
           words[i + count].offset == offset + 4 * count) {
      ++count;
    }
    uint16_t kind = code ? ql::image::kRunCode1 : ql::image::kRunData1;
    append_u16(data2, static_cast<uint16_t>(kind | (count - 1)));
    cursor = offset + 4 * count;
    i += count;
  }
  return data2;
}

}  // namespace qlimage
