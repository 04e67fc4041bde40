// Linking code1 through code2: chains through gate thunks, fixups, deferred and library imports, damage.
#include "start/code2_linker.h"
#include "image/code2_records.h"

#include <gtest/gtest.h>

#include "image/image_format.h"
#include "unit/image/image_bytes.h"
#include "values/entry_gate.h"

namespace ql::test {
namespace {

int routine_a() { return 1; }
int routine_b() { return 2; }

const EntryPoint kTable[] = {
    {nullptr, nullptr, {0, 0}},
    {"RuntimeAddString", reinterpret_cast<void*>(&routine_a), {0, 0}},
    {"StringLen", reinterpret_cast<void*>(&routine_b), {0, 0}},
};

// code1 and the thunk area share one buffer, as in the loaded image, so that every call reaches its thunk.
struct Fixture {
  Bytes memory;
  image::LinkState state;
  Fixture(const Bytes& code1, const Bytes& code2) : memory(code1.size() + 64 * image::kThunkSize, 0xCC) {
    std::copy(code1.begin(), code1.end(), memory.begin());
    state.code1 = memory.data();
    state.code1_length = static_cast<uint32_t>(code1.size());
    state.data1_address = 0x00500000;
    state.thunks = memory.data() + code1.size();
    state.thunk_capacity = image::count_import_records(code2.data(), static_cast<uint32_t>(code2.size()));
  }
  uintptr_t call_destination(uint32_t field) const {
    auto displacement = static_cast<int32_t>(get_u32(state.code1 + field));
    return reinterpret_cast<uintptr_t>(state.code1 + field + 4) + displacement;
  }
  // Where a call through field to an entry point or member finally arrives: its thunk lies in the thunk
  // area, loads the target (mov r11 / mov eax) and goes on to the entry gate.
  uintptr_t final_target(uint32_t field) const {
    auto* thunk = reinterpret_cast<const uint8_t*>(call_destination(field));
    EXPECT_TRUE(thunk >= state.thunks && thunk < state.thunks + state.thunk_count * image::kThunkSize);
    uintptr_t target = 0, gate = 0;
    if constexpr (sizeof(void*) == 8) {
      EXPECT_EQ(thunk[0], 0x49);  // mov r11, imm64
      EXPECT_EQ(thunk[1], 0xBB);
      std::memcpy(&target, thunk + 2, 8);
      EXPECT_EQ(thunk[10], 0xFF);  // jmp [rip + 0]
      std::memcpy(&gate, thunk + 16, 8);
    } else {
      EXPECT_EQ(thunk[0], 0xB8);  // mov eax, imm32
      std::memcpy(&target, thunk + 1, 4);
      EXPECT_EQ(thunk[5], 0xE9);  // jmp rel32
      int32_t displacement;
      std::memcpy(&displacement, thunk + 6, 4);
      gate = reinterpret_cast<uintptr_t>(thunk + 10) + displacement;
    }
    EXPECT_EQ(gate, entry_gate_address());
    return target;
  }
};

bool link(Fixture& f, const Bytes& code2, std::string& failure) {
  return image::link_code2(code2.data(), static_cast<uint32_t>(code2.size()), f.state, kTable, failure);
}

TEST(Code2Linker, PatchesChainsFixupsInAnyOrderAndIgnoresCase) {
  Bytes code1 = chained_calls(0x10, 3);  // calls at 0x10, 0x15, 0x1A
  Bytes second = chained_calls(0, 2);    // two more, placed after
  uint32_t second_start = static_cast<uint32_t>(code1.size());
  for (size_t i = 0; i < second.size(); ++i) code1.push_back(second[i]);
  set_u32(code1, second_start + 1, second_start + 6);  // rebase the second chain
  code1.resize(code1.size() + 8, 0);
  uint32_t fixup_at = static_cast<uint32_t>(code1.size() - 8);
  set_u32(code1, fixup_at, 0x40);

  Bytes code2;
  code2.push_back(0x77);  // an unknown byte is skipped
  import_record(code2, 0x11, "runtimeADDSTRING");
  fixup_record(code2, fixup_at);
  import_record(code2, second_start + 1, "StringLen");
  import_record(code2, 0, "StringLen");  // imported, never called: patches nothing

  Fixture f(code1, code2);
  std::string failure;
  ASSERT_TRUE(link(f, code2, failure)) << failure;
  for (uint32_t field : {0x11u, 0x16u, 0x1Bu})
    EXPECT_EQ(f.final_target(field), reinterpret_cast<uintptr_t>(&routine_a));
  for (uint32_t field : {second_start + 1, second_start + 6})
    EXPECT_EQ(f.final_target(field), reinterpret_cast<uintptr_t>(&routine_b));
  EXPECT_EQ(get_u32(f.state.code1 + fixup_at), 0x00500040u);
  EXPECT_TRUE(f.state.deferred.empty());
}

TEST(Code2Linker, KeepsDeferredImportsAndCountsThunks) {
  Bytes code1 = chained_calls(0, 1);
  Bytes code2;
  import_record(code2, 1, "!MApplication!Quit");
  import_record(code2, 0, "!Gsomething");
  Fixture f(code1, code2);
  EXPECT_EQ(f.state.thunk_capacity, 2u);
  std::string failure;
  ASSERT_TRUE(link(f, code2, failure)) << failure;
  ASSERT_EQ(f.state.deferred.size(), 2u);
  EXPECT_EQ(f.state.deferred[0].name, "MApplication!Quit");
  EXPECT_EQ(f.state.deferred[0].chain_head, 1u);

  // The member that nothing matches is never called, so it does not stop the others.
  EXPECT_TRUE(image::resolve_deferred_imports(
      f.state,
      [](const std::string& name) -> uintptr_t {
        return name == "MApplication!Quit" ? reinterpret_cast<uintptr_t>(&routine_b) : 0;
      },
      failure))
      << failure;
  EXPECT_TRUE(f.state.deferred.empty());
  EXPECT_EQ(f.final_target(1), reinterpret_cast<uintptr_t>(&routine_b));
}

TEST(Code2Linker, RefusesCalledDeferredImportsThatResolveToNothing) {
  Bytes code1 = chained_calls(0, 1);
  Bytes code2;
  import_record(code2, 1, "!MFolderItem!NoSuchMethod");
  Fixture f(code1, code2);
  std::string failure;
  ASSERT_TRUE(link(f, code2, failure)) << failure;
  EXPECT_FALSE(image::resolve_deferred_imports(
      f.state, [](const std::string&) -> uintptr_t { return 0; }, failure));
  EXPECT_EQ(
      failure,
      "The application could not be loaded because the member FolderItem!NoSuchMethod could not be found.");
  EXPECT_EQ(get_u32(f.state.code1 + 1), 0u);  // the chain is left as it was
}

TEST(Code2Linker, ReportsFailuresWithTheirTexts) {
  Bytes code1 = chained_calls(0, 1);
  std::string failure;
  {
    Bytes code2;
    import_record(code2, 1, "NoSuchEntryPoint");
    Fixture f(code1, code2);
    EXPECT_FALSE(link(f, code2, failure));
    EXPECT_EQ(failure,
              "The application could not be loaded because the routine NoSuchEntryPoint could not be found "
              "among the runtime's entry points.");
  }
  {
    Bytes code2;
    import_record(code2, 1, "!Xno-such-library.dll!Anything");
    Fixture f(code1, code2);
    EXPECT_FALSE(link(f, code2, failure));
    EXPECT_EQ(failure,
              "The application could not be loaded because a necessary shared library no-such-library.dll "
              "could not be found.");
  }
  {
#ifdef _WIN32
    const std::string library = "kernel32.dll";
#else
    const std::string library = "libc.so.6";
#endif
    Bytes code2;
    import_record(code2, 1, "!X" + library + "!NoSuchRoutine");
    Fixture f(code1, code2);
    EXPECT_FALSE(link(f, code2, failure));
    EXPECT_EQ(failure,
              "The application could not be loaded because the routine NoSuchRoutine could not be "
              "found in the shared library " +
                  library + ".");
  }
}

TEST(Code2Linker, RefusesDamagedRecordsAndChains) {
  Bytes code1 = chained_calls(0, 2);
  std::string failure;
  struct Case {
    const char* what;
    Bytes code2;
  };
  Bytes cut_import = {1, 1, 0, 0, 0, 9, 'S', 't'};
  Bytes cut_fixup = {2, 1, 0};
  Bytes fixup_outside;
  fixup_record(fixup_outside, static_cast<uint32_t>(code1.size()) - 3);
  Bytes chain_outside;
  import_record(chain_outside, 0x1000, "StringLen");
  Bytes looping = code1;
  set_u32(looping, 6, 1);  // the second call links back to the first
  Bytes loop_code2;
  import_record(loop_code2, 1, "StringLen");
  for (const Case& c : {Case{"cut import", cut_import}, Case{"cut fixup", cut_fixup},
                        Case{"fixup outside", fixup_outside}, Case{"chain outside", chain_outside}}) {
    Fixture f(code1, c.code2);
    EXPECT_FALSE(link(f, c.code2, failure)) << c.what;
    EXPECT_EQ(failure.rfind("The application image is damaged: ", 0), 0u) << c.what << ": " << failure;
  }
  // A chain that loops back is rewritten as it is walked and may keep finding in-range links; the bound on
  // a chain's length ends the walk.
  Fixture f(looping, loop_code2);
  EXPECT_FALSE(link(f, loop_code2, failure));
  EXPECT_EQ(failure.rfind("The application image is damaged: ", 0), 0u) << failure;
}

}  // namespace
}  // namespace ql::test
