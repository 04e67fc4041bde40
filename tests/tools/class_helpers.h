// Reads the class descriptors of a loaded image (see link_helpers.h) with the runtime's decoders, and builds
// objects that define the symbols class descriptors name.
#pragma once

#include <gtest/gtest.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "image/class_descriptor.h"
#include "image/project_table.h"
#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {

// The class descriptors of a loaded image, read through the project table with the runtime's decoders; code
// words hold loaded addresses.
inline std::vector<ql::image::ClassDescriptor> loaded_classes(const LoadedImage& loaded, bool amd64) {
  ql::image::Data1View data1{loaded.data1.data(), static_cast<uint32_t>(loaded.data1.size()),
                             loaded.data1_base, amd64 ? 8u : 4u};
  ql::image::ProjectTable table;
  std::string problem;
  std::vector<ql::image::ClassDescriptor> out;
  if (!ql::image::read_project_table(data1, table, problem)) {
    ADD_FAILURE() << problem;
    return out;
  }
  ql::image::CodeWindow code1{loaded.code1_base, static_cast<uint32_t>(loaded.code1.size())};
  for (uint32_t i = 0; i < table.class_count; ++i) {
    ql::image::ClassDescriptor descriptor;
    EXPECT_TRUE(ql::image::decode_class_descriptor(data1, code1, table.class_count, i,
                                                   ql::image::read_word(table.class_words + 4 * i),
                                                   descriptor, problem))
        << problem;
    out.push_back(std::move(descriptor));
  }
  return out;
}

// How many string constants of data1 hold text: a shared name is written once.
inline int string_constants_holding(const Bytes& data1, const std::string& text) {
  std::string needle = std::string(1, static_cast<char>(text.size())) + text + std::string(1, '\0');
  std::string haystack(data1.begin(), data1.end());
  int count = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
    ++count;
  return count;
}

// An object whose .text defines `functions` at 8-byte steps from offset 0 (so each one's code1 offset is
// 8 * its position), and whose data defines:
//   cloze_size: .rdata word holding `size_value`     pointer_size: .rdata word relocated to .text
//   counter: .data word                                zeroed_size: .bss word
inline Bytes class_object(uint16_t machine, const std::vector<std::string>& functions, uint32_t size_value) {
  CoffBuilder builder(machine);
  std::string prefix = machine == coff::kMachineI386 ? "_" : "";
  int text = builder.section(".text", kCode, Bytes(8 * functions.size(), 0xC3));
  for (size_t i = 0; i < functions.size(); ++i) {
    builder.symbol(prefix + functions[i], text, static_cast<uint32_t>(8 * i));
  }
  Bytes constants;
  qlimage::append_u32(constants, size_value);
  qlimage::append_u32(constants, 0);
  int rdata = builder.section(".rdata", kReadOnly, constants, 4);
  builder.symbol(prefix + "cloze_size", rdata, 0);
  builder.symbol(prefix + "pointer_size", rdata, 4);
  builder.reloc(rdata, 4, builder.section_symbol(text),
                machine == coff::kMachineI386 ? coff::kI386Dir32 : coff::kAmd64Addr32);
  int data = builder.section(".data", kData, Bytes(4, 0), 4);
  builder.symbol(prefix + "counter", data, 0);
  int bss = builder.zero_section(".bss", 4, 4);
  builder.symbol(prefix + "zeroed_size", bss, 0);
  return builder.build();
}

}  // namespace qltest
