// Linking sections: COMDAT keys, placement and alignment, refused sections, weak symbols.
#include <gtest/gtest.h>

#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {
namespace {

constexpr uint32_t kCode1Base = 0x00400000;
constexpr uint32_t kData1Base = 0x00500000;

// An object defining `defines` in .text that calls `inline_key` (a COMDAT defined here with `body`).
Bytes comdat_user(const std::string& defines, uint8_t selection, Bytes body, bool with_associated_data) {
  CoffBuilder builder(coff::kMachineAmd64);
  Bytes code;
  uint32_t field = call(code);
  code.push_back(0xC3);
  int text = builder.section(".text", kCode, code);
  builder.symbol(defines, text, 0);
  int inline_text = builder.comdat(".text$_Z5twicei", kCode, body, selection, "_Z5twicei");
  if (with_associated_data) {
    builder.comdat(".data$assoc", kData, Bytes(8, 0xAB), coff::kSelectAssociative, "", inline_text);
  }
  builder.reloc(text, field, builder.undefined("_Z5twicei"), coff::kAmd64Rel32);
  return builder.build();
}

TEST(LinkSections, ComdatKeepsOneDefinitionPerKey) {
  Bytes first = comdat_user("main", coff::kSelectAny, {0x8D, 0x04, 0x09, 0xC3}, true);
  Bytes second = comdat_user("other", coff::kSelectAny, {0x01, 0xC9, 0x89, 0xC8, 0xC3}, true);
  LinkRun run = link({{"a.o", first}, {"b.o", second}});
  ASSERT_TRUE(run.image) << run.errors();
  // a.o .text (6) | a.o .text$ at 16 (4) | b.o .text at 32 (6); b.o's copy and its associated data are gone.
  EXPECT_EQ(run.image->code1.size(), 38u);
  LoadedImage loaded = load(*run.image, kCode1Base, kData1Base);
  EXPECT_EQ(loaded.rel_target(1), kCode1Base + 16);
  EXPECT_EQ(loaded.rel_target(32 + 1), kCode1Base + 16);
  int associated_copies = 0;
  for (size_t i = 0; i + 8 <= run.image->data1.size(); i += 8) {
    associated_copies += qlimage::load_u64(&run.image->data1[i]) == 0xABABABABABABABABull;
  }
  EXPECT_EQ(associated_copies, 1);

  // Selections that forbid or constrain duplicates.
  LinkRun nodup = link({{"a.o", comdat_user("main", coff::kSelectNoDuplicates, {0xC3}, false)},
                        {"b.o", comdat_user("other", coff::kSelectNoDuplicates, {0xC3}, false)}});
  ASSERT_FALSE(nodup.image);
  EXPECT_NE(nodup.errors().find("'_Z5twicei' is defined by COMDAT section .text$_Z5twicei in a.o and by "
                                ".text$_Z5twicei in b.o"),
            std::string::npos)
      << nodup.errors();
  LinkRun size = link({{"a.o", comdat_user("main", coff::kSelectSameSize, {0xC3}, false)},
                       {"b.o", comdat_user("other", coff::kSelectSameSize, {0x90, 0xC3}, false)}});
  EXPECT_FALSE(size.image);
  LinkRun largest = link({{"a.o", comdat_user("main", coff::kSelectLargest, {0xC3}, false)},
                          {"b.o", comdat_user("other", coff::kSelectLargest, {0x90, 0x90, 0xC3}, false)}});
  ASSERT_TRUE(largest.image) << largest.errors();
  LoadedImage chosen = load(*largest.image, kCode1Base, kData1Base);
  uint32_t target = chosen.rel_target(1) - kCode1Base;
  EXPECT_EQ(chosen.code1[target], 0x90);  // b.o's larger copy
}

TEST(LinkSections, PlacementOrderAlignmentAndZeroFill) {
  CoffBuilder builder(coff::kMachineAmd64);
  int text = builder.section(".text", kCode, {0xC3});
  builder.symbol("main", text, 0);
  builder.section(".text$aligned", kCode, {0xC3}, 64);
  int bss = builder.zero_section(".bss", 12, 32);
  int rdata = builder.section(".rdata", kReadOnly, {1, 2, 3}, 4);
  int data = builder.section(".data", kData, {9, 9, 9, 9, 9}, 8);
  builder.section(".rdata$zzz", kReadOnly, Bytes(20, 'G'));
  builder.section(".debug_info", kReadOnly, Bytes(30, 'D'));
  builder.section(".note.GNU-stack", kReadOnly, {});
  builder.section(".drectve", coff::kScnLnkInfo | coff::kScnLnkRemove, {' ', ' ', 0});
  // A pointer to each section's start, from data, shows where it went.
  Bytes pointers(24, 0);
  int table = builder.section(".data$pointers", kData, pointers, 4);
  builder.reloc(table, 0, builder.section_symbol(bss), coff::kAmd64Addr64);
  builder.reloc(table, 8, builder.section_symbol(rdata), coff::kAmd64Addr64);
  builder.reloc(table, 16, builder.section_symbol(data), coff::kAmd64Addr64);
  LinkRun run = link({{"layout.o", builder.build()}});
  ASSERT_TRUE(run.image) << run.errors();
  EXPECT_EQ(run.image->code1.size(), 65u);
  EXPECT_EQ(run.image->code1[1], 0xCC);  // padding between code sections traps
  // data1: header 8 | .data at 8 (5) | .data$pointers at 16 (24) | .rdata at 40 (3) | .bss at 64 (12)
  LoadedImage loaded = load(*run.image, kCode1Base, kData1Base);
  EXPECT_EQ(loaded.data_word(16 + 16), kData1Base + 8);
  EXPECT_EQ(loaded.data_word(16 + 8), kData1Base + 40);
  EXPECT_EQ(loaded.data_word(16 + 0), kData1Base + 64);
  for (uint32_t i = 64; i < 76; ++i) EXPECT_EQ(run.image->data1[i], 0) << i;
  for (uint8_t byte : run.image->data1) EXPECT_TRUE(byte != 'G' && byte != 'D');  // dropped sections
}

TEST(LinkSections, RefusedSectionsSayWhatToDo) {
  struct Case {
    const char* section;
    const char* advice;
  };
  const Case cases[] = {
      {".pdata", "-fno-asynchronous-unwind-tables"},
      {".xdata", "-fno-asynchronous-unwind-tables"},
      {".eh_frame", "-fno-asynchronous-unwind-tables"},
      {".ctors", "static constructors"},
      {".init_array", "static constructors"},
      {".tls$", "thread-local storage"},
      {".idata$7", "qlimage places only .text*, .data*, .rdata* and .bss*"},
  };
  for (const Case& c : cases) {
    CoffBuilder builder(coff::kMachineAmd64);
    builder.symbol("main", builder.section(".text", kCode, {0xC3}), 0);
    builder.section(c.section, kData, Bytes(8, 0));
    LinkRun run = link({{"refused.o", builder.build()}});
    ASSERT_FALSE(run.image) << c.section;
    EXPECT_NE(run.errors().find("refused.o: section " + std::string(c.section) + ": "), std::string::npos)
        << run.errors();
    EXPECT_NE(run.errors().find(c.advice), std::string::npos) << run.errors();
  }
  CoffBuilder builder(coff::kMachineAmd64);
  builder.symbol("main", builder.section(".text", kCode, {0xC3}), 0);
  std::string directive = " -export:\"main\"";
  builder.section(".drectve", coff::kScnLnkInfo, Bytes(directive.begin(), directive.end()), 1);
  LinkRun run = link({{"exports.o", builder.build()}});
  ASSERT_FALSE(run.image);
  EXPECT_NE(run.errors().find("exports.o: section .drectve holds the linker directives '-export:\"main\"'"),
            std::string::npos)
      << run.errors();
}

TEST(LinkSections, WeakSymbolsYieldToDefinitions) {
  // As gcc writes `__attribute__((weak))`: a weak external whose fallback is a symbol of the same object.
  CoffBuilder builder(coff::kMachineAmd64);
  Bytes code;
  uint32_t field = call(code);
  code.push_back(0xC3);
  code.push_back(0x90);  // the fallback hook, at 6
  int text = builder.section(".text", kCode, code);
  builder.symbol("main", text, 0);
  uint32_t fallback = builder.symbol(".weak.hook.main", text, 6);
  builder.reloc(text, field, builder.weak("hook", fallback), coff::kAmd64Rel32);
  Bytes user = builder.build();

  LinkRun alone = link({{"user.o", user}});
  ASSERT_TRUE(alone.image) << alone.errors();
  EXPECT_EQ(load(*alone.image, kCode1Base, kData1Base).rel_target(field), kCode1Base + 6);

  CoffBuilder strong(coff::kMachineAmd64);
  strong.symbol("hook", strong.section(".text", kCode, {0xC3}), 0);
  LinkRun overridden = link({{"user.o", user}, {"hook.o", strong.build()}});
  ASSERT_TRUE(overridden.image) << overridden.errors();
  EXPECT_EQ(load(*overridden.image, kCode1Base, kData1Base).rel_target(field), kCode1Base + 16);
}

TEST(LinkSections, SymbolTableConflicts) {
  auto object = [](uint16_t machine, const std::string& name, const std::string& section = ".text") {
    CoffBuilder builder(machine);
    builder.symbol(name, builder.section(section, section == ".text" ? kCode : kData, {0xC3}), 0);
    return builder.build();
  };
  LinkRun duplicate =
      link({{"a.o", object(coff::kMachineAmd64, "main")}, {"b.o", object(coff::kMachineAmd64, "main")}});
  ASSERT_FALSE(duplicate.image);
  EXPECT_NE(duplicate.errors().find("duplicate symbol 'main': defined in a.o and in b.o"), std::string::npos)
      << duplicate.errors();

  LinkRun mixed =
      link({{"a.o", object(coff::kMachineAmd64, "main")}, {"b.o", object(coff::kMachineI386, "_x")}});
  ASSERT_FALSE(mixed.image);
  EXPECT_NE(mixed.errors().find("b.o: is an i386 object, but a.o is x86-64"), std::string::npos)
      << mixed.errors();

  LinkRun no_entry = link({{"a.o", object(coff::kMachineAmd64, "main")}}, {}, "start");
  ASSERT_FALSE(no_entry.image);
  EXPECT_NE(no_entry.errors().find("the entry routine 'start' is not defined"), std::string::npos);

  LinkRun data_entry = link({{"a.o", object(coff::kMachineAmd64, "main", ".data")}});
  ASSERT_FALSE(data_entry.image);
  EXPECT_NE(data_entry.errors().find("outside the code sections"), std::string::npos) << data_entry.errors();

  LinkRun reserved = link({{"a.o", object(coff::kMachineI386, "_main")},
                           {"b.o", object(coff::kMachineI386, "_ql_data1_header", ".data")}});
  ASSERT_FALSE(reserved.image);
  EXPECT_NE(reserved.errors().find("b.o: defines '_ql_data1_header'"), std::string::npos)
      << reserved.errors();

  qlimage::Project project;
  project.strings = {{"main", "text"}};
  LinkRun clash = link({{"a.o", object(coff::kMachineAmd64, "main")}}, project);
  ASSERT_FALSE(clash.image);
  EXPECT_NE(clash.errors().find("also lists under [strings] or [imports]"), std::string::npos)
      << clash.errors();
}

}  // namespace
}  // namespace qltest
