// Compiles small programs with the real mingw-w64 compilers, the way application code is built, and links
// them: what gcc and ld -r actually emit must link.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "image/image_format.h"
#include "qlimage/coff_reader.h"
#include "qlimage/image_inspection.h"
#include "tools/class_helpers.h"
#include "tools/link_helpers.h"
#include "tools/temp_dir.h"

namespace qltest {
namespace {

constexpr const char* kFlags =
    "-O2 -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-omit-frame-pointer "
    "-fno-optimize-sibling-calls -mno-stack-arg-probe";

constexpr const char* kShared = R"(
#include <stdint.h>
struct QlStringHeader;
extern "C" void lineTrace(QlStringHeader*);
extern "C" QlStringHeader kGreeting;
struct Counter {
  int n;
  __attribute__((noinline)) int next() { lineTrace(&kGreeting); return ++n; }
};
)";

constexpr const char* kMain = R"(
extern "C" void RuntimeInit(void*);
extern "C" void RuntimeRun(void);
extern "C" void Win32InstallPlugins(void*);
extern "C" char ql_data1_header[];
extern "C" uint32_t ql_plugin_chain_head;
Counter counter;
int helper(int);
static const char* names[] = {"one", "two", "three"};
int selected;
extern "C" void app_main(void) {
  Win32InstallPlugins(reinterpret_cast<void*>(static_cast<uintptr_t>(ql_plugin_chain_head)));
  RuntimeInit(*reinterpret_cast<void**>(ql_data1_header + 4));
  switch (counter.next() + helper(2)) {
    case 1: selected = names[0][0]; break;
    case 2: selected = 7; break;
    case 3: selected = names[1][1]; break;
    case 4: selected = 11; break;
    case 5: selected = names[2][2]; break;
    case 6: selected = 13; break;
  }
  RuntimeRun();
}
// A class whose instance size the compiler works out for the target.
struct Cloze {
  void* fields[8];
  int n;
};
extern "C" const uint32_t cloze_size = sizeof(Cloze);
extern "C" int cloze_open(Cloze* self) { return self->n; }
)";

constexpr const char* kHelper = R"(
static Counter other;
int helper(int v) { lineTrace(&kGreeting); return other.next() + v; }
)";

bool on_path(const std::string& tool) {
  return system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The code1 offset of a function defined in the first code section of the first object, which qlimage
// places at the start of code1.
uint32_t first_section_function(const Bytes& object, const std::string& name) {
  qlimage::Diagnostics diagnostics;
  std::optional<coff::ObjectFile> read = coff::read_object("first.o", object, diagnostics);
  if (!read) {
    ADD_FAILURE() << diagnostics.errors.at(0);
    return 0;
  }
  int first_code = 0;
  for (size_t s = 0; s < read->sections.size() && first_code == 0; ++s) {
    if (read->sections[s].name.starts_with(".text")) first_code = static_cast<int>(s + 1);
  }
  for (const coff::Symbol& symbol : read->symbols) {
    if (!symbol.is_aux && (symbol.name == name || symbol.name == "_" + name)) {
      EXPECT_EQ(symbol.section, first_code) << name << " is not in the first code section";
      return symbol.value;
    }
  }
  ADD_FAILURE() << name << " is not defined";
  return 0;
}

void check_image(const qlimage::Image& image, bool amd64, uint32_t cloze_open) {
  qlimage::ImageReport report = qlimage::inspect_image(image);
  EXPECT_TRUE(report.problems.empty()) << report.problems.at(0);
  std::map<std::string, uint32_t> calls;
  for (const qlimage::ImportReport& import : report.imports) calls[import.name] = import.call_sites;
  EXPECT_EQ(calls["Win32InstallPlugins"], 1u);
  EXPECT_EQ(calls["RuntimeInit"], 1u);
  EXPECT_GE(calls["RuntimeRun"], 1u);  // gcc may copy the call into every branch of the switch
  EXPECT_EQ(calls["lineTrace"], 2u);   // Counter::next kept once, plus helper
  uint32_t code1_base = 0x400000;
  LoadedImage loaded =
      load(image, code1_base,
           code1_base + ql::image::data1_offset_in_region(static_cast<uint32_t>(image.code1.size())));
  for (const auto& [name, sites] : loaded.call_sites) {
    for (uint32_t site : sites) EXPECT_EQ(loaded.rel_target(site), import_address(name)) << name;
  }
  EXPECT_EQ(loaded.data_word(0), code1_base + report.entry_routine);

  std::vector<ql::image::ClassDescriptor> classes = loaded_classes(loaded, amd64);
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_EQ(classes[0].name, "Cloze");
  EXPECT_EQ(classes[0].instance_size,
            amd64 ? 72u : 36u);  // 8 pointers and an int, padded to pointer alignment
  ASSERT_EQ(classes[0].hooks.size(), 1u);
  EXPECT_EQ(classes[0].hooks[0].code, code1_base + cloze_open);
}

void compile_and_link(const std::string& triple) {
  std::string compiler = triple + "-g++-posix";
  if (!on_path(compiler)) GTEST_SKIP() << compiler << " is not on PATH";
  TempDir dir;
  dir.write("main.cpp", std::string(kShared) + kMain);
  dir.write("helper.cpp", std::string(kShared) + kHelper);
  for (const char* name : {"main", "helper"}) {
    std::string command = compiler + " " + kFlags + " -c " + dir.file(std::string(name) + ".cpp") + " -o " +
                          dir.file(std::string(name) + ".o");
    ASSERT_EQ(system(command.c_str()), 0) << command;
  }
  qlimage::Project project;
  project.entry = "app_main";
  project.strings = {{"kGreeting", "Hello from " + triple}};
  qlimage::ClassDescription cloze;
  cloze.name = "Cloze";
  cloze.size_symbol = "cloze_size";
  cloze.hooks = {{"Open", "cloze_open", 0}};
  project.classes = {cloze};
  bool amd64 = triple.starts_with("x86_64");
  LinkRun separate = link({{"main.o", dir.read("main.o")}, {"helper.o", dir.read("helper.o")}}, project, "");
  ASSERT_TRUE(separate.image) << separate.errors();
  check_image(*separate.image, amd64, first_section_function(dir.read("main.o"), "cloze_open"));

  // The application's objects are combined with ld -r; the compiler's own binutils must have it.
  std::string linker = triple + "-ld";
  ASSERT_TRUE(on_path(linker)) << linker << " is not on PATH beside " << compiler;
  std::string combine =
      linker + " -r " + dir.file("main.o") + " " + dir.file("helper.o") + " -o " + dir.file("all.o");
  ASSERT_EQ(system(combine.c_str()), 0) << combine;
  LinkRun combined = link({{"all.o", dir.read("all.o")}}, project, "");
  ASSERT_TRUE(combined.image) << combined.errors();
  check_image(*combined.image, amd64, first_section_function(dir.read("all.o"), "cloze_open"));
}

TEST(MingwToolchain, X86_64ObjectsLink) { compile_and_link("x86_64-w64-mingw32"); }

TEST(MingwToolchain, I686ObjectsLink) { compile_and_link("i686-w64-mingw32"); }

}  // namespace
}  // namespace qltest
