// Runs the linker on in-memory objects, and loads its images with the runtime's own readers of code2 records,
// call chains and data2 words.
#pragma once

#include <stdint.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/code2_records.h"
#include "image/data2_relocation.h"
#include "image/image_format.h"
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

// Links code2 and relocates data1 with the runtime's own readers, every import patched to import_address.
inline LoadedImage load(const qlimage::Image& image, uint32_t code1_base, uint32_t data1_base) {
  LoadedImage loaded{image.code1, image.data1, code1_base, data1_base, {}};
  ql::image::Code2Reader reader(image.code2.data(), static_cast<uint32_t>(image.code2.size()));
  for (ql::image::Code2Record record; reader.next(record);) {
    if (record.kind == ql::image::kDataFixupRecord) {
      qlimage::store_u32(loaded.code1.data() + record.fixup_offset,
                         loaded.code_word(record.fixup_offset) + data1_base);
      continue;
    }
    std::string name(record.name);
    std::vector<uint32_t> fields;
    std::string problem;
    EXPECT_TRUE(ql::image::walk_call_chain(loaded.code1.data(), static_cast<uint32_t>(loaded.code1.size()),
                                           record.chain_head, fields, problem))
        << problem;
    for (uint32_t field : fields) {
      loaded.call_sites[name].push_back(field);
      qlimage::store_u32(loaded.code1.data() + field, import_address(name) - (code1_base + field + 4));
    }
  }
  EXPECT_FALSE(reader.damaged()) << reader.problem();
  std::string problem;
  EXPECT_TRUE(ql::image::relocate_data1(image.data2.data(), static_cast<uint32_t>(image.data2.size()),
                                        loaded.data1.data(), static_cast<uint32_t>(loaded.data1.size()),
                                        code1_base, data1_base, problem))
      << problem;
  return loaded;
}

}  // namespace qltest
