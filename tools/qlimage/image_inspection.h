// Reads an image's blocks the way the runtime will, without trusting anything: walks the code2 records and
// the call chains in code1, decodes data2 against data1, and follows the project table to its classes and
// items. Every inconsistency becomes a problem naming where it is; `dump` prints the result, `attach`
// refuses an image with problems.
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qlimage/class_inspection.h"
#include "qlimage/image.h"
#include "qlimage/project.h"

namespace qlimage {

struct ImportReport {
  std::string name;
  uint32_t chain_head = 0;
  uint32_t call_sites = 0;
};

struct FixupReport {
  uint32_t offset = 0;  // in code1
  int32_t value = 0;    // the data1-relative value the word holds
};

struct RunReport {
  uint32_t data2_offset = 0;
  uint32_t data1_offset = 0;
  uint16_t kind = 0;  // 0x4000, 0x4200 or 0x4600
  uint32_t words = 0;
};

struct ItemReport {
  uint32_t index = 0;    // 1-based
  uint32_t pointer = 0;  // data1 offset of the record, 0 for an empty slot
  uint32_t kind = 0;
  std::string summary;
  std::optional<Settings> settings;
};

struct ImageReport {
  std::vector<ImportReport> imports;
  std::vector<FixupReport> fixups;
  uint32_t ignored_code2_bytes = 0;
  std::vector<RunReport> runs;
  uint32_t skip_words = 0;
  uint32_t ignored_data2_words = 0;
  uint64_t data2_cursor_end = 0;
  std::map<uint32_t, uint16_t> relocated_words;  // data1 offset -> run kind
  uint32_t entry_routine = 0;
  uint32_t project_table = 0;
  std::vector<ClassReport> classes;
  std::vector<ItemReport> items;
  std::vector<std::string> problems;
};

ImageReport inspect_image(const Image& image);

const char* item_kind_name(uint32_t kind);

}  // namespace qlimage
