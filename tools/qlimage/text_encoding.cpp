// Between the project file's UTF-8 texts and the image's Windows-1252.
#include "qlimage/text_encoding.h"

#include <stdint.h>
#include <stdio.h>

namespace qlimage {
namespace {

// Unicode code points of the bytes 0x80-0x9F; the five bytes Windows-1252 leaves undefined map to the C1
// controls of the same value, as Windows converts them.
constexpr uint16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<uint8_t> encode(uint32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<uint8_t>(code_point);
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == code_point) return static_cast<uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

// Decodes one UTF-8 sequence at text[i], advancing i; nullopt on malformed input.
std::optional<uint32_t> decode(std::string_view text, size_t& i) {
  uint8_t lead = static_cast<uint8_t>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0 || lead > 0xF4 || i + extra > text.size()) return std::nullopt;
  uint32_t code_point = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    uint8_t next = static_cast<uint8_t>(text[i++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code_point = (code_point << 6) | (next & 0x3F);
  }
  return code_point;
}

}  // namespace

std::optional<std::string> utf8_to_windows1252(std::string_view utf8, std::string* bad) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    std::optional<uint32_t> code_point = decode(utf8, i);
    std::optional<uint8_t> byte = code_point ? encode(*code_point) : std::nullopt;
    if (!byte) {
      if (bad) {
        char buffer[16];
        snprintf(buffer, sizeof buffer, "U+%04X", code_point ? *code_point : 0xFFFDu);
        *bad = buffer;
      }
      return std::nullopt;
    }
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

std::string windows1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    uint8_t byte = static_cast<uint8_t>(c);
    uint32_t code_point = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
    if (code_point < 0x80) {
      out.push_back(static_cast<char>(code_point));
    } else if (code_point < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
      out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    }
  }
  return out;
}

}  // namespace qlimage
