// Writing and reading the link map.
#include "qlimage/link_map.h"

#include <algorithm>
#include <cstring>

namespace qlimage {
namespace {

constexpr char kMagic[4] = {'Q', 'L', 'M', '1'};

}  // namespace

Bytes encode_link_map(const LinkMap& map) {
  Bytes out(kMagic, kMagic + 4);
  append_u16(out, map.machine);
  for (const LinkMapEntry& entry : map.entries) {
    append_u8(out, static_cast<uint8_t>(entry.kind));
    append_u32(out, entry.offset);
    append_u8(out, static_cast<uint8_t>(std::min<size_t>(entry.name.size(), 255)));
    append_text(out, std::string_view(entry.name).substr(0, 255));
  }
  return out;
}

std::optional<LinkMap> decode_link_map(const Bytes& notes) {
  LinkMap map;
  ByteView view(notes);
  if (notes.size() < 6 || std::memcmp(notes.data(), kMagic, 4) != 0) return std::nullopt;
  view.u16(4, map.machine);
  for (uint64_t at = 6; at < notes.size();) {
    uint8_t kind = 0, length = 0;
    LinkMapEntry entry;
    if (!view.u8(at, kind) || kind > static_cast<uint8_t>(GeneratedKind::kWindow) ||
        !view.u32(at + 1, entry.offset) || !view.u8(at + 5, length) || !view.has(at + 6, length)) {
      return std::nullopt;
    }
    entry.kind = static_cast<GeneratedKind>(kind);
    entry.name.assign(reinterpret_cast<const char*>(notes.data() + at + 6), length);
    map.entries.push_back(std::move(entry));
    at += 6 + length;
  }
  return map;
}

}  // namespace qlimage
