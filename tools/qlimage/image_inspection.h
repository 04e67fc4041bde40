// Reads an image the way the runtime will, with the runtime's own decoders and without trusting anything:
// walks code2's records and the call chains in code1, relocates a copy of data1 by data2 at trial load
// addresses, and follows the project table to its classes and items, and the link map to the windows,
// string constants and stored plug-ins. Every inconsistency becomes a problem naming where it is; `dump`
// prints the result, `attach` refuses an image with problems.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "image/class_descriptor.h"
#include "image/data2_relocation.h"
#include "image/item_records.h"
#include "image/menu_bar_stream.h"
#include "image/picture_record.h"
#include "image/settings_record.h"
#include "image/window_description.h"
#include "qlimage/image.h"
#include "qlimage/link_map.h"

namespace qlimage {

// Where the inspection loads the image: code1 here, data1 by the placement rule behind it.
constexpr uint32_t kTrialCode1Address = 0x10000000;

struct ImportReport {
  std::string name;
  uint32_t chain_head = 0;
  uint32_t call_sites = 0;
};

struct FixupReport {
  uint32_t offset = 0;  // in code1
  int32_t value = 0;    // the data1-relative value the word holds
};

struct ClassReport {
  uint32_t index = 0;
  uint32_t pointer = 0;                   // data1 offset of the descriptor
  ql::image::ClassDescriptor descriptor;  // code words as loaded at the trial addresses
  bool complete = false;                  // decoded to its end without a problem
};

struct ItemReport {
  uint32_t index = 0;    // 1-based
  uint32_t pointer = 0;  // data1 offset of the record, 0 for an empty slot
  uint32_t kind = 0;
  std::optional<ql::image::Settings> settings;
  std::optional<ql::image::PictureRecord> picture;
  std::optional<ql::image::SoundRecord> sound;
  std::optional<ql::image::ImplicitInstanceRecord> implicit_instance;
  std::optional<ql::image::MenuBarStream> menu_bar;
};

struct WindowReport {
  std::string symbol;
  uint32_t offset = 0;  // of the length word in data1
  ql::image::WindowDescription description;
};

struct StringReport {
  std::string symbol;
  uint32_t offset = 0;
  std::string text;
};

struct PluginReport {
  std::string file_name;
  uint32_t length = 0;
};

struct ImageReport {
  uint32_t pointer_size = 8;  // of the target the image was linked for
  std::vector<ImportReport> imports;
  std::vector<FixupReport> fixups;
  std::vector<ql::image::Data2Run> runs;
  uint32_t relocated_words = 0;
  uint32_t skip_words = 0;
  uint32_t ignored_data2_words = 0;  // beside the link map's
  uint64_t data2_cursor_end = 0;
  std::optional<LinkMap> link_map;
  uint32_t code1_address = kTrialCode1Address;
  uint32_t data1_address = 0;
  uint32_t entry_routine = 0;  // code1 offset
  uint32_t project_table = 0;  // data1 offset
  std::vector<ClassReport> classes;
  std::vector<ItemReport> items;
  std::vector<WindowReport> windows;
  std::vector<StringReport> strings;
  std::vector<PluginReport> plugins;
  std::vector<std::string> problems;
  Bytes loaded_data1;  // the relocated copy, which the decoded texts point into: move a report, never copy it

  ImageReport() = default;
  ImageReport(ImageReport&&) = default;
  ImageReport& operator=(ImageReport&&) = default;
  ImageReport(const ImageReport&) = delete;
};

ImageReport inspect_image(const Image& image);

const char* item_kind_name(uint32_t kind);

}  // namespace qlimage
