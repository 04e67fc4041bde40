// Writing code2: the data fixups, then one import record per name with its call chain.
#include "qlimage/code2_writer.h"

#include <algorithm>

#include "image/image_format.h"

namespace qlimage {

Bytes write_code2(Bytes& code1, std::vector<uint32_t> fixups, std::vector<Import> imports) {
  Bytes code2;
  std::sort(fixups.begin(), fixups.end());
  for (uint32_t offset : fixups) {
    append_u8(code2, ql::image::kDataFixupRecord);
    append_u32(code2, offset);
  }
  for (Import& import : imports) {
    // Each field holds the offset of the next field; the last holds 0, which no field can be at because a
    // call opcode precedes every field.
    std::sort(import.sites.begin(), import.sites.end());
    for (size_t i = 0; i < import.sites.size(); ++i) {
      uint32_t next = i + 1 < import.sites.size() ? import.sites[i + 1] : 0;
      store_u32(code1.data() + import.sites[i], next);
    }
    append_u8(code2, ql::image::kImportRecord);
    append_u32(code2, import.sites.empty() ? 0 : import.sites.front());
    append_u8(code2, static_cast<uint8_t>(import.name.size()));
    append_text(code2, import.name);
  }
  return code2;
}

}  // namespace qlimage
