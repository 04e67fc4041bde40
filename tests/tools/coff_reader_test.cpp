// Reading COFF objects, and refusing truncated, corrupt and foreign files.
#include "qlimage/coff_reader.h"

#include <gtest/gtest.h>

#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {
namespace {

Bytes sample_object() {
  CoffBuilder builder(coff::kMachineAmd64);
  Bytes code;
  uint32_t field = call(code);
  code.push_back(0xC3);
  int text = builder.section(".text", kCode, code);
  builder.symbol("main", text, 0);
  int inline_text = builder.comdat(".text$_ZN3Foo3getEv", kCode, {0xC3}, coff::kSelectAny, "_ZN3Foo3getEv");
  builder.comdat(".data$_ZN3Foo3getEv", kData, Bytes(4, 7), coff::kSelectAssociative, "", inline_text);
  builder.zero_section(".bss", 32);
  builder.reloc(text, field, builder.undefined("a_rather_long_runtime_name"), coff::kAmd64Rel32);
  return builder.build();
}

TEST(CoffReader, ReadsSectionsSymbolsComdatsAndRelocations) {
  qlimage::Diagnostics diagnostics;
  std::optional<coff::ObjectFile> object = coff::read_object("sample.o", sample_object(), diagnostics);
  ASSERT_TRUE(object) << diagnostics.errors.at(0);
  EXPECT_EQ(object->machine, coff::kMachineAmd64);
  ASSERT_EQ(object->sections.size(), 4u);
  const coff::Section& text = object->sections[0];
  EXPECT_EQ(text.data, (Bytes{0xE8, 0, 0, 0, 0, 0xC3}));
  ASSERT_EQ(text.relocations.size(), 1u);
  EXPECT_EQ(text.relocations[0].offset, 1u);
  EXPECT_EQ(object->symbols[text.relocations[0].symbol].name, "a_rather_long_runtime_name");
  const coff::Section& inline_text = object->sections[1];
  EXPECT_EQ(inline_text.name, ".text$_ZN3Foo3getEv");  // a long name from the string table
  EXPECT_EQ(inline_text.comdat_selection, coff::kSelectAny);
  EXPECT_EQ(object->symbols[inline_text.comdat_symbol].name, "_ZN3Foo3getEv");
  EXPECT_EQ(object->sections[2].comdat_selection, coff::kSelectAssociative);
  EXPECT_EQ(object->sections[2].associated_section, 2u);
  EXPECT_TRUE(object->sections[3].is_uninitialized());
  EXPECT_EQ(object->sections[3].size, 32u);
  EXPECT_TRUE(object->sections[3].data.empty());
  EXPECT_EQ(text.alignment(), 16u);
}

TEST(CoffReader, TruncatedObjectsFailCleanly) {
  Bytes whole = sample_object();
  for (size_t length = 0; length < whole.size(); ++length) {
    Bytes cut(whole.begin(), whole.begin() + length);
    qlimage::Diagnostics diagnostics;
    EXPECT_FALSE(coff::read_object("cut.o", cut, diagnostics)) << length;
    ASSERT_FALSE(diagnostics.errors.empty()) << length;
    EXPECT_EQ(diagnostics.errors[0].rfind("cut.o: ", 0), 0u) << diagnostics.errors[0];
  }
  qlimage::Diagnostics diagnostics;
  coff::read_object("cut.o", Bytes(whole.begin(), whole.begin() + 30), diagnostics);
  EXPECT_NE(diagnostics.errors.at(0).find("truncated"), std::string::npos) << diagnostics.errors[0];
}

TEST(CoffReader, CorruptObjectsNeverCrashTheLinker) {
  Bytes whole = sample_object();
  uint32_t state = 12345;
  auto next = [&state] { return state = state * 1103515245 + 12345; };
  for (int round = 0; round < 3000; ++round) {
    Bytes corrupt = whole;
    for (int flips = 1 + (next() >> 16) % 4; flips > 0; --flips) {
      corrupt[(next() >> 8) % corrupt.size()] = static_cast<uint8_t>(next() >> 24);
    }
    // Whatever the outcome, it must be a clean one: an image or errors.
    LinkRun run = link({{"corrupt.o", corrupt}}, {}, "main");
    EXPECT_TRUE(run.image.has_value() != run.diagnostics.failed()) << round;
  }
}

TEST(CoffReader, ForeignFilesAreNamed) {
  struct Case {
    Bytes bytes;
    const char* says;
  };
  Bytes bigobj(64, 0);
  bigobj[2] = 0xFF;
  bigobj[3] = 0xFF;
  Bytes arm(20, 0);
  arm[0] = 0x64;
  arm[1] = 0xAA;
  const Case cases[] = {
      {Bytes{'!', '<', 'a', 'r', 'c', 'h', '>', '\n', 0, 0}, "static library"},
      {Bytes{0x7F, 'E', 'L', 'F', 2, 1, 1, 0}, "ELF"},
      {Bytes{'M', 'Z', 0x90, 0}, "not a relocatable object"},
      {bigobj, "-mbig-obj"},
      {arm, "machine type 0xaa64"},
  };
  for (const Case& c : cases) {
    qlimage::Diagnostics diagnostics;
    EXPECT_FALSE(coff::read_object("foreign.o", c.bytes, diagnostics));
    ASSERT_FALSE(diagnostics.errors.empty());
    EXPECT_NE(diagnostics.errors[0].find(c.says), std::string::npos) << diagnostics.errors[0];
  }
}

}  // namespace
}  // namespace qltest
