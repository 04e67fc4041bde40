// Fuzz target: the variable integers and texts of the image's streams. The reader never leaves the stream,
// and every value it reads writes back to bytes that read as the same value.
#include <stddef.h>
#include <stdint.h>

#include <string_view>
#include <vector>

#include "image/stream_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses what is read, two bits a step; the rest is the stream.
  const uint8_t plan = data[0];
  std::vector<uint8_t> stream(data + 1, data + size);
  const uint8_t* begin = stream.data();
  ql::image::StreamReader in(begin, static_cast<uint32_t>(stream.size()));
  for (int step = 0; in.ok() && in.remaining() > 0; ++step) {
    std::vector<uint8_t> written;
    switch ((plan >> (2 * (step % 4))) & 3) {
      case 0: {
        int32_t value = in.varint();
        if (!in.ok()) break;
        ql::image::write_varint(written, value);
        ql::image::StreamReader back(written.data(), static_cast<uint32_t>(written.size()));
        if (back.varint() != value || !back.ok() || back.remaining() != 0) __builtin_trap();
        break;
      }
      case 1: {
        std::string_view text = in.text();
        if (!in.ok()) break;
        if (!text.empty() && (reinterpret_cast<const uint8_t*>(text.data()) < begin ||
                              reinterpret_cast<const uint8_t*>(text.data()) + text.size() > in.position()))
          __builtin_trap();
        ql::image::write_text(written, text);
        ql::image::StreamReader back(written.data(), static_cast<uint32_t>(written.size()));
        if (back.text() != text || !back.ok()) __builtin_trap();
        break;
      }
      case 2: {
        uint32_t value = in.u32_be();
        if (!in.ok()) break;
        ql::image::write_u32_be(written, value);
        ql::image::StreamReader back(written.data(), static_cast<uint32_t>(written.size()));
        if (back.u32_be() != value) __builtin_trap();
        break;
      }
      default:
        in.skip(in.byte() % 8);
        break;
    }
    if (in.position() < begin || in.position() > begin + stream.size()) __builtin_trap();
  }
  // Past the end every read answers zero and marks the reader failed.
  in.skip(in.remaining());
  if (in.byte() != 0 || in.varint() != 0 || !in.text().empty() || in.ok()) __builtin_trap();
  return 0;
}
