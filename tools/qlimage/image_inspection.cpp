// Reading an image's blocks as the runtime will, trusting nothing, for `dump`.
#include "qlimage/image_inspection.h"

#include <unordered_set>

#include "qlimage/settings_stream.h"
#include "image/image_format.h"

namespace qlimage {
namespace {

constexpr uint8_t kCallOpcode = 0xE8;

void walk_chain(const Image& image, ImportReport& import, ImageReport& report) {
  ByteView code1(image.code1);
  std::unordered_set<uint32_t> seen;
  for (uint32_t link = import.chain_head; link != 0;) {
    uint32_t next = 0;
    if (!code1.u32(link, next)) {
      report.problems.push_back("import '" + import.name + "': chain link code1+" + hex(link) +
                                " lies outside code1 (" + std::to_string(image.code1.size()) + " bytes)");
      return;
    }
    if (!seen.insert(link).second) {
      report.problems.push_back("import '" + import.name + "': the chain returns to code1+" + hex(link) +
                                " and would never end");
      return;
    }
    if (image.code1[link - 1] != kCallOpcode) {
      report.problems.push_back("import '" + import.name + "': the call site at code1+" + hex(link) +
                                " is not preceded by a call opcode (E8)");
    }
    ++import.call_sites;
    link = next;
  }
}

void read_code2(const Image& image, ImageReport& report) {
  ByteView code2(image.code2);
  for (uint64_t at = 0; at < code2.size();) {
    uint8_t record = image.code2[at];
    if (record == ql::image::kDataFixupRecord) {
      uint32_t offset = 0;
      if (!code2.u32(at + 1, offset)) {
        report.problems.push_back("code2+" + hex(at) + ": data fixup record cut off by the end of code2");
        return;
      }
      uint32_t value = 0;
      if (!ByteView(image.code1).u32(offset, value)) {
        report.problems.push_back("code2+" + hex(at) + ": data fixup at code1+" + hex(offset) +
                                  " lies outside code1 (" + std::to_string(image.code1.size()) + " bytes)");
      }
      report.fixups.push_back({offset, static_cast<int32_t>(value)});
      at += ql::image::kDataFixupRecordSize;
    } else if (record == ql::image::kImportRecord) {
      uint32_t head = 0;
      uint8_t length = 0;
      if (!code2.u32(at + 1, head) || !code2.u8(at + 5, length) || !code2.has(at + 6, length)) {
        report.problems.push_back("code2+" + hex(at) + ": import record cut off by the end of code2");
        return;
      }
      ImportReport import{std::string(reinterpret_cast<const char*>(image.code2.data() + at + 6), length),
                          head, 0};
      if (length == 0) report.problems.push_back("code2+" + hex(at) + ": import record with an empty name");
      walk_chain(image, import, report);
      report.imports.push_back(std::move(import));
      at += ql::image::kImportRecordFixedSize + length;
    } else {
      ++report.ignored_code2_bytes;
      ++at;
    }
  }
}

void read_data2(const Image& image, ImageReport& report) {
  uint64_t cursor = 0;
  uint64_t size = image.data1.size();
  for (uint64_t at = 0; at + 1 < image.data2.size(); at += 2) {
    uint16_t word = load_u16(image.data2.data() + at);
    if ((word & ql::image::kSkipMask) == ql::image::kSkip) {
      cursor += (word & 0x0FFFu) + 1;
      ++report.skip_words;
      continue;
    }
    uint16_t kind = word & ql::image::kRunMask;
    if (kind != ql::image::kRunCode1 && kind != ql::image::kRunData1 && kind != ql::image::kRunCode1Alt) {
      ++report.ignored_data2_words;
      continue;
    }
    uint32_t count = (word & 0x01FFu) + 1;
    if (cursor + 4ull * count > size) {
      report.problems.push_back("data2+" + hex(at) + ": a run of " + std::to_string(count) +
                                " words at data1+" + hex(cursor) + " reaches past the end of data1 (" +
                                std::to_string(size) + " bytes)");
      report.data2_cursor_end = cursor;
      return;
    }
    report.runs.push_back({static_cast<uint32_t>(at), static_cast<uint32_t>(cursor), kind, count});
    for (uint32_t k = 0; k < count; ++k) report.relocated_words[static_cast<uint32_t>(cursor + 4 * k)] = kind;
    cursor += 4ull * count;
  }
  report.data2_cursor_end = cursor;
}

bool relocated_as_data(const ImageReport& report, uint32_t offset) {
  auto it = report.relocated_words.find(offset);
  return it != report.relocated_words.end() && it->second == ql::image::kRunData1;
}

void read_settings_item(ByteView data1, ItemReport& item, ImageReport& report) {
  uint32_t chain = 0, length = 0;
  if (!data1.u32(uint64_t{item.pointer} + 4, chain) || !data1.u32(uint64_t{item.pointer} + 8, length) ||
      !data1.has(item.pointer + 12ull, length)) {
    report.problems.push_back("item " + std::to_string(item.index) + " (settings) at data1+" +
                              hex(item.pointer) + ": the record runs past the end of data1");
    return;
  }
  std::string problem;
  item.settings = decode_settings_stream(data1.sub(item.pointer + 12ull, length).span(), problem);
  item.summary = "settings stream of " + std::to_string(length) + " bytes";
  if (chain != 0) item.summary += ", text link chain at data1+" + hex(chain);
  if (!item.settings) {
    report.problems.push_back("item " + std::to_string(item.index) + " (settings) at data1+" +
                              hex(item.pointer) + ": " + problem);
  }
}

void read_item(ByteView data1, ItemReport& item, ImageReport& report) {
  if (!data1.u32(item.pointer, item.kind)) {
    report.problems.push_back("item " + std::to_string(item.index) + " points to data1+" + hex(item.pointer) +
                              ", outside data1");
    return;
  }
  if (item.kind == ql::image::kItemSettings) {
    read_settings_item(data1, item, report);
    return;
  }
  if (item.kind < ql::image::kItemPicture || item.kind > ql::image::kItemDatabase) {
    report.problems.push_back("item " + std::to_string(item.index) + " at data1+" + hex(item.pointer) +
                              " has the unknown kind " + std::to_string(item.kind));
    return;
  }
  uint32_t first = 0;
  if (!data1.u32(uint64_t{item.pointer} + 4, first)) {
    report.problems.push_back("item " + std::to_string(item.index) + " at data1+" + hex(item.pointer) +
                              ": the record runs past the end of data1");
    return;
  }
  item.summary = "first word " + hex(first);
}

void read_project_table(const Image& image, ImageReport& report) {
  ByteView data1(image.data1);
  if (!data1.u32(ql::image::kEntryRoutineWord, report.entry_routine) ||
      !data1.u32(ql::image::kProjectTableWord, report.project_table)) {
    report.problems.push_back("data1 is " + std::to_string(image.data1.size()) +
                              " bytes, too short for its two header words");
    return;
  }
  auto entry = report.relocated_words.find(ql::image::kEntryRoutineWord);
  if (entry == report.relocated_words.end() || entry->second == ql::image::kRunData1) {
    report.problems.push_back("data1+0x0 (entry routine) is not relocated by code1's load address");
  }
  if (report.entry_routine >= image.code1.size()) {
    report.problems.push_back("the entry routine code1+" + hex(report.entry_routine) + " lies outside code1");
  }
  if (!relocated_as_data(report, ql::image::kProjectTableWord)) {
    report.problems.push_back("data1+0x4 (project table) is not relocated by data1's load address");
  }
  uint64_t at = report.project_table;
  uint32_t count = 0;
  for (int list = 0; list < 2; ++list) {
    if (!data1.u32(at, count) || !data1.has(at + 4, 4ull * count)) {
      report.problems.push_back(std::string("the project table's ") + (list == 0 ? "class" : "item") +
                                " list at data1+" + hex(at) + " runs past the end of data1");
      return;
    }
    for (uint32_t k = 0; k < count; ++k) {
      uint32_t word_at = static_cast<uint32_t>(at + 4 + 4ull * k);
      uint32_t pointer = load_u32(image.data1.data() + word_at);
      if (pointer != 0 && !relocated_as_data(report, word_at)) {
        report.problems.push_back("the project table's pointer at data1+" + hex(word_at) +
                                  " is not relocated by data1's load address");
      }
      if (list == 0) {
        ClassReport cls;
        cls.index = k;
        cls.pointer = pointer;
        if (pointer == 0) {
          report.problems.push_back("class " + std::to_string(k) + ": the project table's pointer is 0");
        } else {
          read_class_descriptor(image, report.relocated_words, count, cls, report.problems);
        }
        report.classes.push_back(std::move(cls));
      } else {
        ItemReport item{k + 1, pointer, 0, {}, {}};
        if (pointer != 0) read_item(data1, item, report);
        report.items.push_back(std::move(item));
      }
    }
    at += 4 + 4ull * count;
  }
}

}  // namespace

ImageReport inspect_image(const Image& image) {
  ImageReport report;
  read_code2(image, report);
  read_data2(image, report);
  read_project_table(image, report);
  return report;
}

const char* item_kind_name(uint32_t kind) {
  switch (kind) {
    case ql::image::kItemPicture:
      return "picture";
    case ql::image::kItemMenuBar:
      return "menu bar";
    case ql::image::kItemMovie:
      return "movie";
    case ql::image::kItemSettings:
      return "settings";
    case ql::image::kItemImplicitInstance:
      return "implicit instance";
    case ql::image::kItemSound:
      return "sound";
    case ql::image::kItemValue7:
      return "value (kind 7)";
    case ql::image::kItemValue8:
      return "value (kind 8)";
    case ql::image::kItemMouseCursor:
      return "mouse cursor";
    case ql::image::kItemDatabase:
      return "database";
    default:
      return "unknown";
  }
}

}  // namespace qlimage
