// Linking calls: chains across objects, i386 names, project imports, undefined symbols.
#include <gtest/gtest.h>

#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {
namespace {

constexpr uint32_t kCode1Base = 0x00400000;
constexpr uint32_t kData1Base = 0x00410000;

struct CallObject {
  Bytes bytes;
  std::vector<uint32_t> fields;  // displacement fields, in the object's .text
};

// One object whose .text (after `padding` bytes) calls each of `callees` in turn and returns.
CallObject calls(uint16_t machine, const std::string& defines, const std::vector<std::string>& callees,
                 size_t padding = 0) {
  CoffBuilder builder(machine);
  Bytes code(padding, 0x90);
  CallObject object;
  for (size_t i = 0; i < callees.size(); ++i) object.fields.push_back(call(code));
  code.push_back(0xC3);
  int text = builder.section(".text", kCode, code);
  builder.symbol(defines, text, 0);
  for (size_t i = 0; i < callees.size(); ++i) {
    builder.reloc(text, object.fields[i], builder.undefined(callees[i]),
                  machine == coff::kMachineAmd64 ? coff::kAmd64Rel32 : coff::kI386Rel32);
  }
  object.bytes = builder.build();
  return object;
}

TEST(LinkCalls, ChainsAcrossObjectsAmd64) {
  CallObject a = calls(coff::kMachineAmd64, "main", {"RuntimeInit", "lineTrace", "RuntimeInit"});
  CallObject b = calls(coff::kMachineAmd64, "helper", {"RuntimeInit", "RUNTIMERUN"}, 3);
  LinkRun run = link({{"a.o", a.bytes}, {"b.o", b.bytes}});
  ASSERT_TRUE(run.image) << run.errors();
  LoadedImage loaded = load(*run.image, kCode1Base, kData1Base);

  // One record per name, spelled as the object spells it; every call lands on its entry point.
  ASSERT_EQ(loaded.call_sites.size(), 3u);
  EXPECT_EQ(loaded.call_sites["RuntimeInit"].size(), 3u);
  EXPECT_EQ(loaded.call_sites["lineTrace"].size(), 1u);
  EXPECT_EQ(loaded.call_sites["RUNTIMERUN"].size(), 1u);
  for (const auto& [name, sites] : loaded.call_sites) {
    for (uint32_t site : sites) EXPECT_EQ(loaded.rel_target(site), import_address(name)) << name;
  }
  // The chain visits the fields in code1 order, ending in b.o's section (aligned to 16 after a.o's).
  std::vector<uint32_t> expected = {a.fields[0], a.fields[2], 16 + b.fields[0]};
  EXPECT_EQ(loaded.call_sites["RuntimeInit"], expected);
}

TEST(LinkCalls, I386NamesLoseTheirUnderscore) {
  CallObject a = calls(coff::kMachineI386, "_main", {"_RuntimeInit", "_lineTrace", "_RuntimeInit"});
  CallObject b = calls(coff::kMachineI386, "_helper", {"_lineTrace"});
  LinkRun run = link({{"a.o", a.bytes}, {"b.o", b.bytes}}, {}, "main");
  ASSERT_TRUE(run.image) << run.errors();
  LoadedImage loaded = load(*run.image, kCode1Base, kData1Base);
  EXPECT_EQ(loaded.call_sites["RuntimeInit"].size(), 2u);
  EXPECT_EQ(loaded.call_sites["lineTrace"].size(), 2u);
  for (const auto& [name, sites] : loaded.call_sites) {
    for (uint32_t site : sites) EXPECT_EQ(loaded.rel_target(site), import_address(name)) << name;
  }
  EXPECT_EQ(loaded.data_word(0), kCode1Base);  // the entry routine `_main` starts code1
}

TEST(LinkCalls, ProjectImportsNameAnyRoutine) {
  CallObject a = calls(coff::kMachineAmd64, "main", {"get_ticks", "missing_entry", "get_ticks"});
  qlimage::Project project;
  project.imports = {{"get_ticks", "!Xkernel32.dll!GetTickCount"}, {"missing_entry", "NoSuchEntryPoint"}};
  LinkRun run = link({{"a.o", a.bytes}}, project);
  ASSERT_TRUE(run.image) << run.errors();
  LoadedImage loaded = load(*run.image, kCode1Base, kData1Base);
  EXPECT_EQ(loaded.call_sites["!Xkernel32.dll!GetTickCount"].size(), 2u);
  EXPECT_EQ(loaded.call_sites["NoSuchEntryPoint"].size(), 1u);
}

TEST(LinkCalls, EntryPointsMayOnlyBeCalled) {
  struct Case {
    const char* what;
    uint8_t opcode;  // byte before the field
    uint16_t type;
    uint32_t addend;
    bool in_data;
  };
  const Case cases[] = {
      {"lea of the address", 0x8D, coff::kAmd64Rel32, 0, false},
      {"tail-call jump", 0xE9, coff::kAmd64Rel32, 0, false},
      {"call with an addend", 0xE8, coff::kAmd64Rel32, 4, false},
      {"call through REL32_1", 0xE8, coff::kAmd64Rel32 + 1, 0, false},
      {"absolute address in code", 0xB8, coff::kAmd64Addr32, 0, false},
      {"pointer in data", 0x00, coff::kAmd64Addr64, 0, true},
  };
  for (const Case& c : cases) {
    CoffBuilder builder(coff::kMachineAmd64);
    Bytes code = {0x90, c.opcode, 0, 0, 0, 0, 0, 0, 0, 0, 0xC3};
    qlimage::store_u32(code.data() + 2, c.addend);
    int text = builder.section(".text", kCode, code);
    builder.symbol("main", text, 0);
    int target = c.in_data ? builder.section(".data", kData, Bytes(16, 0)) : text;
    builder.reloc(target, 2, builder.undefined("RuntimeRun"), c.type);
    LinkRun run = link({{"calls.o", builder.build()}});
    ASSERT_FALSE(run.image) << c.what;
    std::string errors = run.errors();
    EXPECT_NE(errors.find("calls.o: " + std::string(c.in_data ? ".data" : ".text") + "+0x2"),
              std::string::npos)
        << c.what << ": " << errors;
    EXPECT_NE(errors.find("'RuntimeRun'"), std::string::npos) << c.what << ": " << errors;
  }
}

TEST(LinkCalls, UndefinedSymbolsAreNamedWithTheirFirstUse) {
  CallObject a = calls(coff::kMachineAmd64, "main", {"not_defined", "RuntimeInit", "not_defined"});
  CallObject b = calls(coff::kMachineAmd64, "helper", {"not_defined", "also_missing"});
  LinkRun run = link({{"a.o", a.bytes}, {"b.o", b.bytes}});
  ASSERT_FALSE(run.image);
  ASSERT_EQ(run.diagnostics.errors.size(), 2u) << run.errors();  // each name once
  EXPECT_NE(run.diagnostics.errors[0].find("a.o: .text+0x1: undefined symbol 'not_defined'"),
            std::string::npos)
      << run.errors();
  EXPECT_NE(run.diagnostics.errors[1].find("b.o: .text+0x6"), std::string::npos) << run.errors();
  EXPECT_NE(run.diagnostics.errors[1].find("'also_missing'"), std::string::npos);

  LinkRun dllimport = link({{"c.o", calls(coff::kMachineAmd64, "main", {"__imp_RuntimeInit"}).bytes}});
  ASSERT_FALSE(dllimport.image);
  EXPECT_NE(dllimport.errors().find("drop the dllimport declaration"), std::string::npos)
      << dllimport.errors();
}

}  // namespace
}  // namespace qltest
