// Builds a minimal PE32 or PE32+ file whose one section, .rsrc, holds a resource directory with a
// resource of another type ahead of the PICKLE resource, as a runtime executable carries it.
#pragma once

#include <stdint.h>

#include <string>

#include "qlimage/bytes.h"

namespace qltest {

struct PeOptions {
  bool pe32_plus = true;
  qlimage::Bytes pickle = {'P', 'I', 'C', 'K', 0, 0, 0, 0};
  std::string type_name = "PICKLE";
  uint32_t id = 101;
};

inline qlimage::Bytes minimal_pe(const PeOptions& options = {}) {
  using qlimage::append_u16;
  using qlimage::append_u32;
  constexpr uint32_t kRawAt = 0x200, kRva = 0x1000;
  // The resource section: two named type entries ("ICONS", then the PICKLE type), each with one id and one
  // language, then the data entries, the names and the data.
  qlimage::Bytes rsrc;
  auto directory = [&](uint16_t named, uint16_t ids) {
    append_u32(rsrc, 0);
    append_u32(rsrc, 0);
    append_u32(rsrc, 0);
    append_u16(rsrc, named);
    append_u16(rsrc, ids);
  };
  const uint32_t types = 32, ids = types + 2 * 24, entries = ids + 2 * 24, names = entries + 2 * 16;
  directory(2, 0);
  uint32_t name_at[2] = {names, names + 12};
  for (int t = 0; t < 2; ++t) {
    append_u32(rsrc, 0x80000000u | name_at[t]);
    append_u32(rsrc, 0x80000000u | (types + 24 * t));
  }
  for (int t = 0; t < 2; ++t) {  // per type: a directory with one id entry
    directory(0, 1);
    append_u32(rsrc, t == 0 ? 1 : options.id);
    append_u32(rsrc, 0x80000000u | (ids + 24 * t));
  }
  for (int t = 0; t < 2; ++t) {  // per id: a directory with one language entry
    directory(0, 1);
    append_u32(rsrc, 1033);
    append_u32(rsrc, entries + 16 * t);
  }
  std::string type_names[2] = {"ICONS", options.type_name};
  uint32_t data_at = names + 12 + 2 + 2 * static_cast<uint32_t>(options.type_name.size());
  data_at = (data_at + 7) & ~7u;
  for (int t = 0; t < 2; ++t) {  // data entries
    append_u32(rsrc, kRva + data_at + (t == 0 ? 0 : 8));
    append_u32(rsrc, t == 0 ? 8 : static_cast<uint32_t>(options.pickle.size()));
    append_u32(rsrc, 0);
    append_u32(rsrc, 0);
  }
  for (int t = 0; t < 2; ++t) {
    rsrc.resize(name_at[t], 0);
    append_u16(rsrc, static_cast<uint16_t>(type_names[t].size()));
    for (char c : type_names[t]) append_u16(rsrc, static_cast<uint8_t>(c));
  }
  rsrc.resize(data_at, 0);
  qlimage::append_text(rsrc, "iconbits");
  qlimage::append_bytes(rsrc, options.pickle);
  qlimage::pad_to(rsrc, 0x200);

  qlimage::Bytes pe(0x40, 0);
  pe[0] = 'M';
  pe[1] = 'Z';
  qlimage::store_u32(pe.data() + 0x3C, 0x40);
  qlimage::append_text(pe, std::string("PE\0\0", 4));
  uint16_t optional_size = options.pe32_plus ? 240 : 224;
  append_u16(pe, options.pe32_plus ? 0x8664 : 0x14C);
  append_u16(pe, 1);
  append_u32(pe, 0);
  append_u32(pe, 0);
  append_u32(pe, 0);
  append_u16(pe, optional_size);
  append_u16(pe, 0x0102);
  size_t optional = pe.size();
  pe.resize(optional + optional_size, 0);
  qlimage::store_u32(pe.data() + optional, options.pe32_plus ? 0x20B : 0x10B);
  size_t count_at = optional + (options.pe32_plus ? 108 : 92);
  qlimage::store_u32(pe.data() + count_at, 16);
  qlimage::store_u32(pe.data() + count_at + 4 + 16, kRva);
  qlimage::store_u32(pe.data() + count_at + 4 + 20, static_cast<uint32_t>(rsrc.size()));
  qlimage::append_text(pe, std::string(".rsrc\0\0\0", 8));
  append_u32(pe, static_cast<uint32_t>(rsrc.size()));
  append_u32(pe, kRva);
  append_u32(pe, static_cast<uint32_t>(rsrc.size()));
  append_u32(pe, kRawAt);
  pe.resize(pe.size() + 12, 0);
  append_u32(pe, 0x40000040);
  pe.resize(kRawAt, 0);
  qlimage::append_bytes(pe, rsrc);
  return pe;
}

}  // namespace qltest
