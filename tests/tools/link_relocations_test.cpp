// Linking relocations: RIP-relative data, data fixups, data2 words, jump tables, unsupported kinds.
#include <gtest/gtest.h>

#include "image/image_format.h"
#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {
namespace {

constexpr uint32_t kCode1Base = 0x00400000;

// The address of the first occurrence of `marker` in loaded data1.
uint32_t find_in_data1(const LoadedImage& loaded, uint32_t marker) {
  for (uint32_t at = 0; at + 4 <= loaded.data1.size(); ++at) {
    if (loaded.data_word(at) == marker) return loaded.data1_base + at;
  }
  ADD_FAILURE() << "marker " << marker << " not in data1";
  return 0;
}

TEST(LinkRelocations, RipRelativeDataReferencesFollowThePlacementRule) {
  CoffBuilder builder(coff::kMachineAmd64);
  // More than 64 KiB of code, so data1 sits two 64 KiB steps above code1.
  Bytes code(0x10010, 0x90);
  Bytes lea = {0x48, 0x8D, 0x05, 0, 0, 0, 0};                             // lea rax, [rip + field]
  Bytes store = {0xC7, 0x05, 0, 0, 0, 0, 0x2A, 0, 0, 0};                  // mov dword [rip + field], 42
  Bytes store_gas = {0xC7, 0x05, 0xFC, 0xFF, 0xFF, 0xFF, 0x2A, 0, 0, 0};  // the same, as gas encodes it
  std::copy(lea.begin(), lea.end(), code.begin() + 0x100);
  std::copy(store.begin(), store.end(), code.begin() + 0x200);
  std::copy(store_gas.begin(), store_gas.end(), code.begin() + 0x300);
  std::copy(lea.begin(), lea.end(), code.begin() + 0x400);
  std::copy(lea.begin(), lea.end(), code.begin() + 0x500);
  std::fill(code.begin() + 0x600, code.begin() + 0x605, 0);
  code[0x600] = 0xE8;  // call other_code
  int text = builder.section(".text", kCode, code);
  builder.symbol("main", text, 0);
  Bytes data(16, 0);
  qlimage::store_u32(data.data() + 8, 0xC0FFEE);
  int data_section = builder.section(".data", kData, data);
  uint32_t value = builder.symbol("value", data_section, 8);
  int other = builder.section(".text$other", kCode, {0xC3});
  uint32_t other_code = builder.symbol("other_code", other, 0);
  builder.reloc(text, 0x103, value, coff::kAmd64Rel32);
  builder.reloc(text, 0x202, value, coff::kAmd64Rel32 + 4);
  builder.reloc(text, 0x302, value, coff::kAmd64Rel32);
  builder.reloc(text, 0x403, builder.undefined("greeting"), coff::kAmd64Rel32);
  builder.reloc(text, 0x503, builder.undefined("ql_plugin_chain_head"), coff::kAmd64Rel32);
  builder.reloc(text, 0x601, other_code, coff::kAmd64Rel32);
  qlimage::Project project;
  project.strings = {{"greeting", "hello"}};
  LinkRun run = link({{"rip.o", builder.build()}}, project);
  ASSERT_TRUE(run.image) << run.errors();

  uint32_t region = ql::image::data1_offset_in_region(static_cast<uint32_t>(run.image->code1.size()));
  ASSERT_EQ(region, 0x20000u);
  EXPECT_TRUE(run.image->code2.empty());  // nothing left for the loader
  LoadedImage loaded = load(*run.image, kCode1Base, kCode1Base + region);
  uint32_t value_address = find_in_data1(loaded, 0xC0FFEE);
  EXPECT_EQ(loaded.rel_target(0x103), value_address);
  EXPECT_EQ(loaded.rel_target(0x202) + 4, value_address);  // the field is 4 bytes before the next instruction
  EXPECT_EQ(loaded.rel_target(0x302) + 4, value_address);
  uint32_t header = loaded.rel_target(0x403) - loaded.data1_base;  // a 24-byte string header
  EXPECT_EQ(header % 8, 0u);
  EXPECT_EQ(loaded.data_word(header), 1u);
  EXPECT_EQ(loaded.data_word(header + 20), 5u);
  uint32_t buffer = loaded.data_word(header + 8) - loaded.data1_base;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&loaded.data1[buffer]), 7),
            std::string("\x05hello\0", 7));
  EXPECT_EQ(loaded.data_word(loaded.rel_target(0x503) - loaded.data1_base), 0u);  // no stored plug-ins
  EXPECT_EQ(loaded.rel_target(0x601), kCode1Base + 0x10010);  // .text$other follows .text, 16-aligned
}

TEST(LinkRelocations, AbsoluteReferencesInCodeBecomeDataFixups) {
  for (uint16_t machine : {coff::kMachineAmd64, coff::kMachineI386}) {
    bool amd64 = machine == coff::kMachineAmd64;
    CoffBuilder builder(machine);
    Bytes code(64, 0);
    qlimage::store_u32(code.data() + 0x14, 4);  // addend: value + 4
    int text = builder.section(".text", kCode, code);
    builder.symbol(amd64 ? "main" : "_main", text, 0);
    uint32_t function = builder.symbol(amd64 ? "function" : "_function", text, 0x30);
    Bytes data(16, 0);
    qlimage::store_u32(data.data(), 0xBEEF);
    int data_section = builder.section(".data", kData, data);
    uint16_t addr32 = amd64 ? coff::kAmd64Addr32 : coff::kI386Dir32;
    builder.reloc(text, 0x10, builder.section_symbol(data_section), addr32);
    builder.reloc(text, 0x14, builder.section_symbol(data_section), addr32);
    builder.reloc(text, 0x18, function, addr32);
    if (amd64) {
      builder.reloc(text, 0x20, builder.section_symbol(data_section), coff::kAmd64Addr64);
      builder.reloc(text, 0x28, function, coff::kAmd64Addr64);
    }
    LinkRun run = link({{"abs.o", builder.build()}}, {}, "main");
    ASSERT_TRUE(run.image) << run.errors();
    EXPECT_EQ(run.image->code2.size(), (amd64 ? 5u : 3u) * ql::image::kDataFixupRecordSize);
    // Code targets are written relative to data1 with the placement rule, so data1's base makes them right.
    uint32_t data1_base =
        kCode1Base + ql::image::data1_offset_in_region(static_cast<uint32_t>(run.image->code1.size()));
    LoadedImage loaded = load(*run.image, kCode1Base, data1_base);
    uint32_t data_address = find_in_data1(loaded, 0xBEEF);
    EXPECT_EQ(loaded.code_word(0x10), data_address);
    EXPECT_EQ(loaded.code_word(0x14), data_address + 4);
    EXPECT_EQ(loaded.code_word(0x18), kCode1Base + 0x30);
    if (amd64) {
      EXPECT_EQ(loaded.code_word(0x20), data_address);
      EXPECT_EQ(loaded.code_word(0x24), 0u);
      EXPECT_EQ(loaded.code_word(0x28), kCode1Base + 0x30);
      EXPECT_EQ(loaded.code_word(0x2C), 0u);
    }
  }
}

TEST(LinkRelocations, DataPointersBecomeData2WordsAndJumpTablesResolve) {
  CoffBuilder builder(coff::kMachineAmd64);
  Bytes code(0x40, 0x90);
  int text = builder.section(".text", kCode, code);
  builder.symbol("main", text, 0);
  uint32_t case_a = builder.symbol("case_a", text, 0x20, coff::kClassStatic);
  Bytes rdata(16, 0);
  qlimage::store_u32(rdata.data() + 12, 0xFACE);
  int rdata_section = builder.section(".rdata", kReadOnly, rdata);
  uint32_t marker = builder.symbol("marker", rdata_section, 12, coff::kClassStatic);
  Bytes data(32, 0);
  qlimage::store_u32(data.data() + 20, 8);  // ADDR32 addend
  int data_section = builder.section(".data", kData, data);
  builder.reloc(data_section, 0, case_a, coff::kAmd64Addr64);
  builder.reloc(data_section, 8, marker, coff::kAmd64Addr64);
  builder.reloc(data_section, 16, marker, coff::kAmd64Addr32);
  builder.reloc(data_section, 20, marker, coff::kAmd64Addr32);
  builder.reloc(rdata_section, 0, case_a, coff::kAmd64Rel32);
  LinkRun run = link({{"data.o", builder.build()}});
  ASSERT_TRUE(run.image) << run.errors();
  uint32_t region = ql::image::data1_offset_in_region(static_cast<uint32_t>(run.image->code1.size()));
  LoadedImage loaded = load(*run.image, kCode1Base, kCode1Base + region);
  uint32_t marker_address = find_in_data1(loaded, 0xFACE);
  uint32_t table = marker_address - 12;
  uint32_t pointers = 16;  // data1: the header words, then .data at its 16-byte alignment
  EXPECT_EQ(loaded.data_word(pointers), kCode1Base + 0x20);
  EXPECT_EQ(loaded.data_word(pointers + 4), 0u);
  EXPECT_EQ(loaded.data_word(pointers + 8), marker_address);
  EXPECT_EQ(loaded.data_word(pointers + 12), 0u);
  EXPECT_EQ(loaded.data_word(pointers + 16), marker_address);
  EXPECT_EQ(loaded.data_word(pointers + 20), marker_address + 8);
  // A jump table entry in read-only data, relative to its own end, reaches the case.
  EXPECT_EQ(table + 4 + loaded.data_word(table - loaded.data1_base), kCode1Base + 0x20);
}

TEST(LinkRelocations, UnsupportedRelocationsAreNamed) {
  struct Case {
    uint16_t machine;
    bool from_data;
    bool to_data;
    uint16_t type;
    const char* name;
  };
  const Case cases[] = {
      {coff::kMachineAmd64, false, true, 0x3, "IMAGE_REL_AMD64_ADDR32NB"},
      {coff::kMachineAmd64, true, true, 0xB, "IMAGE_REL_AMD64_SECREL"},
      {coff::kMachineAmd64, false, false, 0xA, "IMAGE_REL_AMD64_SECTION"},
      {coff::kMachineI386, true, false, coff::kI386Rel32, "IMAGE_REL_I386_REL32"},
      {coff::kMachineI386, false, true, coff::kI386Rel32, "IMAGE_REL_I386_REL32"},
      {coff::kMachineI386, false, true, 0x7, "IMAGE_REL_I386_DIR32NB"},
  };
  for (const Case& c : cases) {
    CoffBuilder builder(c.machine);
    int text = builder.section(".text", kCode, Bytes(16, 0x90));
    builder.symbol(c.machine == coff::kMachineI386 ? "_main" : "main", text, 0);
    int data = builder.section(".data", kData, Bytes(16, 0));
    uint32_t target = builder.symbol("target", c.to_data ? data : text, 4);
    builder.reloc(c.from_data ? data : text, 8, target, c.type);
    LinkRun run = link({{"bad.o", builder.build()}});
    ASSERT_FALSE(run.image) << c.name;
    std::string expected =
        std::string("bad.o: ") + (c.from_data ? ".data" : ".text") + "+0x8: " + c.name + " to 'target'";
    EXPECT_NE(run.errors().find(expected), std::string::npos) << run.errors();
  }

  CoffBuilder builder(coff::kMachineAmd64);
  int text = builder.section(".text", kCode, Bytes(16, 0x90));
  builder.symbol("main", text, 0);
  int data = builder.section(".data", kData, Bytes(16, 0));
  builder.reloc(data, 8, builder.section_symbol(text), coff::kAmd64Addr32);
  builder.reloc(data, 10, builder.section_symbol(text), coff::kAmd64Addr32);
  LinkRun overlap = link({{"overlap.o", builder.build()}});
  ASSERT_FALSE(overlap.image);
  EXPECT_NE(
      overlap.errors().find("overlap.o: .data+0xa: IMAGE_REL_AMD64_ADDR32 to '.text': overlaps the field of "
                            "overlap.o: .data+0x8"),
      std::string::npos)
      << overlap.errors();
}

}  // namespace
}  // namespace qltest
