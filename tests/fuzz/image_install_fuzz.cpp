// Fuzz target: application images read from a file, installed, and then read the way start-up reads them
// (project items, class descriptors, the stored plug-in chain, deferred imports).
//
// The input is an image as qlimage writes it: four blocks, each a little-endian length and its bytes. Four
// more bytes after data2, when present, give the plug-in chain's head as an offset into data1 (0: none).
// With QL_FUZZ_EXPLAIN set in the environment it prints why an input was refused, for checking seeds.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "fuzz_input_file.h"
#include "image/code2_records.h"
#include "image/image_format.h"
#include "image/menu_bar_stream.h"
#include "image/picture_record.h"
#include "image/plugin_chain.h"
#include "image/settings_record.h"
#include "objects/class_array.h"
#include "objects/class_descriptors.h"
#include "objects/interface_tables.h"
#include "objects/object_steps.h"
#include "start/entry_point_table.h"
#include "start/image_blocks.h"
#include "start/image_install.h"
#include "unit/runtime_classes.h"

namespace {

using namespace ql;

uint32_t word_at(const uint8_t* p) {
  uint32_t value;
  memcpy(&value, p, 4);
  return value;
}

// The offset just past data2 when the four block lengths fit the input, else 0.
size_t image_end(const uint8_t* data, size_t size) {
  size_t at = 0;
  for (int block = 0; block < image::kBlockCount; ++block) {
    if (size - at < 4 || word_at(data + at) > size - at - 4) return 0;
    at += 4 + word_at(data + at);
  }
  return at;
}

// Library imports are loaded by name. The target keeps to names the system cannot find (no folder, no
// ".so") and to one harmless library, so that no input loads an arbitrary file into the fuzzer.
bool library_names_are_safe(const std::vector<uint8_t>& code2) {
  image::Code2Reader reader(code2.data(), static_cast<uint32_t>(code2.size()));
  for (image::Code2Record record; reader.next(record);) {
    if (record.kind != image::kImportRecord || record.name.substr(0, 2) != "!X") continue;
    std::string_view library = record.name.substr(2, record.name.find('!', 2) - 2);
    if (library != "libm.so.6" && (library.find('/') != library.npos || library.find(".so") != library.npos))
      return false;
  }
  return true;
}

// The host runtime has no window layer, so its entry-point table cannot be linked here; linking needs only
// names and addresses, and the code is never run.
void never_called() { __builtin_trap(); }
#define ENTRY(name)                                           \
  {                                                           \
#name, reinterpret_cast < void*>(&never_called), { 0, 0 } \
  }
const EntryPoint kTable[] = {
    {nullptr, nullptr, {0, 0}}, ENTRY(RuntimeInit),
    ENTRY(RuntimeRun),          ENTRY(Win32InstallPlugins),
    ENTRY(RuntimeLockObject),   ENTRY(RuntimeUnlockObject),
    ENTRY(RuntimeNilObject),    ENTRY(RuntimeNewObject),
    ENTRY(RuntimeAddString),    ENTRY(RuntimeLockString),
    ENTRY(RuntimeUnlockString), ENTRY(StringLen),
    ENTRY(lineTrace),           ENTRY(RuntimeMsgBox),
    ENTRY(RuntimeCreateWindow), ENTRY(RuntimeRaiseException),
};
#undef ENTRY

// Touches every byte a decoded item refers to, so that ASan sees a record that lies outside data1.
volatile uint8_t sink;
void touch(const uint8_t* bytes, size_t n) {
  if (n) sink = static_cast<uint8_t>(bytes[0] + bytes[n - 1]);
}
void touch(std::string_view text) { touch(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }

void touch_menus(const std::vector<image::MenuEntry>& entries) {
  for (const image::MenuEntry& entry : entries) {
    touch(entry.text);
    touch(entry.name);
    touch_menus(entry.items);
  }
}

void read_items(const LoadedImage& image) {
  const image::ProjectTable& table = image.project;
  for (uint32_t i = 0; i < table.item_count; ++i) {
    uint32_t pointer = word_at(table.item_words + i * 4);
    if (pointer == 0) continue;
    const uint8_t* record = image.data1.at(pointer, 4);
    if (!record) __builtin_trap();  // the installer promised every item lies inside data1
    std::string problem;
    switch (word_at(record)) {
      case image::kItemSettings: {
        image::SettingsStream stream = image::settings_stream(record);
        image::Settings settings;
        image::parse_settings(stream.bytes, stream.length, settings);
        touch(image::settings_message(settings, 4));
        break;
      }
      case image::kItemPicture: {
        image::PictureRecord picture;
        if (image::decode_picture_record(record, image.data1.length - (pointer - image.data1.address),
                                         picture, problem))
          touch(picture.pixels, picture.byte_count);
        break;
      }
      case image::kItemMenuBar: {
        image::MenuBarStream menu_bar;
        if (image::decode_menu_bar(record + 8, word_at(record + 4), menu_bar, problem))
          touch_menus(menu_bar.menus);
        break;
      }
      case image::kItemSound:
        touch(record + 8, word_at(record + 4));
        break;
      default:
        break;
    }
  }
}

void read_classes(const LoadedImage& image) {
  CodeRange code1{{image.code1_address, image.link.code1_length},
                  reinterpret_cast<uintptr_t>(image.link.code1)};
  ClassBuild build;
  std::string problem;
  if (!build_classes(image.data1, image.project.class_words, image.project.class_count, code1, build,
                     problem))
    return;
  install_class_array(std::move(build.array));
  build_interface_tables(problem);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  testing::define_runtime_classes();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  image::ImageBlocks blocks;
  std::string failure;
  if (!image::read_image_blocks(fuzz::write_input_file(data, size).c_str(), 0, blocks, failure)) return 0;
  if (!library_names_are_safe(blocks[image::kCode2])) return -1;  // not added to the corpus
  size_t end = image_end(data, size);
  uint32_t chain_offset = end && size - end >= 4 ? word_at(data + end) : 0;

  LoadedImage image;
  static const bool explain = getenv("QL_FUZZ_EXPLAIN") != nullptr;
  if (!image::install_image(blocks, kTable, image, failure)) {
    if (explain) fprintf(stderr, "refused: %s\n", failure.c_str());
    if (failure.empty() || image.link.code1) __builtin_trap();  // refused without a text, or kept the region
    return 0;
  }
  if (explain)
    fprintf(stderr, "installed: %u classes, %u items\n", image.project.class_count, image.project.item_count);
  read_items(image);
  read_classes(image);
  std::vector<image::StoredPlugin> plugins;
  if (chain_offset &&
      image::walk_plugin_chain(image.data1, image.data1.address + chain_offset, plugins, failure)) {
    for (const image::StoredPlugin& plugin : plugins) touch(plugin.bytes, plugin.length);
    if (explain) fprintf(stderr, "plug-ins: %zu\n", plugins.size());
  }
  bool resolved = image::resolve_deferred(image, lookup_deferred_member, failure);
  if (explain && !resolved) fprintf(stderr, "deferred: %s\n", failure.c_str());
  image::release_image(image);
  return 0;
}
