// Runs the linker on in-memory objects, and loads its images the way the runtime does (code2 records, call
// chains, data2 words), written from the format's description so that a test compares two readings of it.
#pragma once

#include <stdint.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/diagnostics.h"
#include "qlimage/image.h"
#include "qlimage/linker.h"
#include "qlimage/project.h"

namespace qltest {

struct LinkRun {
  std::optional<qlimage::Image> image;
  qlimage::Diagnostics diagnostics;

  std::string errors() const {
    std::string all;
    for (const std::string& e : diagnostics.errors) all += e + "\n";
    return all;
  }
};

inline LinkRun link(const std::vector<std::pair<std::string, qlimage::Bytes>>& objects,
                    const qlimage::Project& project = {}, const std::string& entry = "main") {
  std::vector<qlimage::InputObject> inputs;
  for (const auto& [name, bytes] : objects) inputs.push_back({name, bytes});
  LinkRun run;
  run.image = qlimage::link_image(inputs, project, entry, run.diagnostics);
  return run;
}

struct LoadedImage {
  qlimage::Bytes code1, data1;
  uint32_t code1_base = 0, data1_base = 0;
  std::map<std::string, std::vector<uint32_t>> call_sites;  // import name -> code1 offsets of its fields

  uint32_t code_word(uint32_t offset) const { return qlimage::load_u32(code1.data() + offset); }
  uint32_t data_word(uint32_t offset) const { return qlimage::load_u32(data1.data() + offset); }
  // Where the relative field at code1 `offset` leads once loaded.
  uint32_t rel_target(uint32_t offset) const { return code1_base + offset + 4 + code_word(offset); }
};

inline uint32_t import_address(const std::string& name) {
  uint32_t hash = 0x70000000;
  for (char c : name) hash = hash * 31 + static_cast<uint8_t>(c);
  return (hash & 0x0FFFFFF0) | 0x70000000;
}

inline LoadedImage load(const qlimage::Image& image, uint32_t code1_base, uint32_t data1_base) {
  LoadedImage loaded{image.code1, image.data1, code1_base, data1_base, {}};
  const qlimage::Bytes& code2 = image.code2;
  for (size_t at = 0; at < code2.size();) {
    if (code2[at] == 1) {
      uint32_t link = qlimage::load_u32(&code2[at + 1]);
      std::string name(reinterpret_cast<const char*>(&code2[at + 6]), code2[at + 5]);
      uint32_t target = import_address(name);
      while (link != 0) {
        loaded.call_sites[name].push_back(link);
        uint32_t next = loaded.code_word(link);
        qlimage::store_u32(loaded.code1.data() + link, target - (code1_base + link + 4));
        link = next;
      }
      at += 6 + code2[at + 5];
    } else if (code2[at] == 2) {
      uint32_t offset = qlimage::load_u32(&code2[at + 1]);
      qlimage::store_u32(loaded.code1.data() + offset, loaded.code_word(offset) + data1_base);
      at += 5;
    } else {
      at += 1;
    }
  }
  size_t cursor = 0;
  for (size_t at = 0; at + 1 < image.data2.size(); at += 2) {
    uint16_t w = qlimage::load_u16(&image.data2[at]);
    if ((w & 0xF000) == 0x8000) {
      cursor += (w & 0x0FFF) + 1;
    } else if ((w & 0xFE00) == 0x4000 || (w & 0xFE00) == 0x4200 || (w & 0xFE00) == 0x4600) {
      uint32_t base = (w & 0xFE00) == 0x4200 ? data1_base : code1_base;
      for (int k = 0; k <= (w & 0x01FF); ++k, cursor += 4) {
        qlimage::store_u32(loaded.data1.data() + cursor,
                           loaded.data_word(static_cast<uint32_t>(cursor)) + base);
      }
    }
  }
  return loaded;
}

}  // namespace qltest
