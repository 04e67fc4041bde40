// The link map: the names and data1 offsets of the symbols qlimage defined (the data1 header, the plug-in
// chain head, string constants, window descriptions), carried in data2 as words the loader passes over, so
// that `dump` can name what compiled code refers to.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/link_model.h"

namespace qlimage {

struct LinkMapEntry {
  GeneratedKind kind = GeneratedKind::kString;
  std::string name;
  uint32_t offset = 0;  // in data1
};

struct LinkMap {
  uint16_t machine = 0;  // the COFF machine the image was linked for
  std::vector<LinkMapEntry> entries;
};

Bytes encode_link_map(const LinkMap& map);
// nullopt when the notes hold no map or a damaged one.
std::optional<LinkMap> decode_link_map(const Bytes& notes);

}  // namespace qlimage
