// Reads the class descriptors of a loaded image (see link_helpers.h) by following relocated pointers from
// the project table, and builds objects that define the symbols class descriptors name.
#pragma once

#include <gtest/gtest.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {

struct LoadedMember {
  uint32_t name_address = 0;
  std::string name;
  uint32_t code = 0;  // loaded address
  uint32_t key = 0;
};

struct LoadedClass {
  uint32_t kind = 0, size = 0, name_address = 0;
  std::string name;
  int32_t superclass = 0;
  uint32_t has_constructor = 0, constructor = 0, destructor = 0;
  uint32_t interface_word = 0;  // the is-interface byte and its 3 bytes of padding
  std::vector<uint32_t> interfaces;
  std::vector<LoadedMember> methods, hooks, menu_handlers;
  std::vector<uint32_t> method_table;
};

class LoadedClassReader {
 public:
  LoadedClassReader(const LoadedImage& loaded, bool amd64) : loaded_(loaded), amd64_(amd64) {}

  uint32_t word_at(uint32_t address) const {
    uint32_t offset = address - loaded_.data1_base;
    if (offset + 4 > loaded_.data1.size()) {
      ADD_FAILURE() << "address " << address << " outside loaded data1";
      return 0;
    }
    return loaded_.data_word(offset);
  }

  // The text of the runtime string whose header is at `address`, as the runtime reads its header.
  std::string text_at(uint32_t address) const {
    if (address == 0) return "";
    uint32_t buffer = word_at(address + (amd64_ ? 8 : 4));
    uint32_t length = word_at(address + (amd64_ ? 20 : 12));
    EXPECT_EQ(word_at(address), 1u) << "reference count";
    if (amd64_) {
      EXPECT_EQ(word_at(address + 12), 0u) << "high word of the buffer pointer";
    }
    uint32_t offset = buffer - loaded_.data1_base;
    if (offset + length + 2 > loaded_.data1.size()) {
      ADD_FAILURE() << "string buffer outside loaded data1";
      return "";
    }
    EXPECT_EQ(loaded_.data1[offset], length);
    return std::string(reinterpret_cast<const char*>(&loaded_.data1[offset + 1]), length);
  }

  std::vector<LoadedClass> classes() {
    uint32_t table = loaded_.data_word(4);
    uint32_t count = word_at(table);
    std::vector<LoadedClass> out;
    for (uint32_t i = 0; i < count; ++i) out.push_back(read_class(word_at(table + 4 + 4 * i)));
    return out;
  }

 private:
  uint32_t next() {
    uint32_t value = word_at(at_);
    at_ += 4;
    return value;
  }
  LoadedMember member(bool with_code, bool with_key) {
    LoadedMember m;
    m.name_address = next();
    m.name = text_at(m.name_address);
    if (with_code) m.code = next();
    if (with_key) m.key = next();
    return m;
  }
  LoadedClass read_class(uint32_t address) {
    at_ = address;
    LoadedClass c;
    c.kind = next();
    if (c.kind == 1) {
      c.name_address = next();
      c.name = text_at(c.name_address);
      return c;
    }
    c.size = next();
    c.name_address = next();
    c.name = text_at(c.name_address);
    c.superclass = static_cast<int32_t>(next());
    c.has_constructor = next();
    if (c.has_constructor) {
      c.constructor = next();
      c.destructor = next();
    }
    c.interface_word = next();
    for (uint32_t n = next(); n > 0; --n) c.interfaces.push_back(next());
    for (uint32_t n = next(); n > 0; --n) c.methods.push_back(member(c.interface_word == 0, false));
    for (uint32_t n = next(); n > 0; --n) c.hooks.push_back(member(true, true));
    for (uint32_t n = next(); n > 0; --n) c.menu_handlers.push_back(member(true, false));
    for (uint32_t n = next(); n > 0; --n) c.method_table.push_back(next());
    return c;
  }

  const LoadedImage& loaded_;
  bool amd64_;
  uint32_t at_ = 0;
};

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
