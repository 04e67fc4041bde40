// Inspecting an image with the runtime's decoders.
#include "qlimage/image_inspection.h"

#include "image/code2_records.h"
#include "image/image_format.h"
#include "image/plugin_chain.h"
#include "image/project_table.h"
#include "image/string_constant.h"
#include "qlimage/coff.h"
#include "qlimage/target.h"

namespace qlimage {
namespace {

constexpr uint8_t kCallOpcode = 0xE8;

struct Inspector {
  const Image& image;
  ImageReport& report;
  ql::image::Data1View data1;  // the relocated copy

  void problem(std::string text) { report.problems.push_back(std::move(text)); }
  uint32_t offset_of(uint32_t address) const { return address - report.data1_address; }
  ql::image::CodeWindow code1() const {
    return {report.code1_address, static_cast<uint32_t>(image.code1.size())};
  }
  // The bytes data1 holds from address on, or 0 when it lies outside.
  uint32_t available(uint32_t address) const {
    return data1.at(address, 0) ? data1.length - offset_of(address) : 0;
  }
};

void read_code2(Inspector& in) {
  const Image& image = in.image;
  ql::image::Code2Reader reader(image.code2.data(), static_cast<uint32_t>(image.code2.size()));
  for (ql::image::Code2Record record; reader.next(record);) {
    if (record.kind == ql::image::kDataFixupRecord) {
      uint32_t value = 0;
      if (!ByteView(image.code1).u32(record.fixup_offset, value)) {
        in.problem("code2+" + hex(record.at) + ": data fixup at code1+" + hex(record.fixup_offset) +
                   " lies outside code1 (" + std::to_string(image.code1.size()) + " bytes)");
      }
      in.report.fixups.push_back({record.fixup_offset, static_cast<int32_t>(value)});
      continue;
    }
    ImportReport import{std::string(record.name), record.chain_head, 0};
    if (import.name.empty()) in.problem("code2+" + hex(record.at) + ": import record with an empty name");
    std::vector<uint32_t> fields;
    std::string problem;
    if (!ql::image::walk_call_chain(image.code1.data(), static_cast<uint32_t>(image.code1.size()),
                                    record.chain_head, fields, problem)) {
      in.problem("import '" + import.name + "': " + problem);
    }
    for (uint32_t field : fields) {
      if (image.code1[field - 1] != kCallOpcode) {
        in.problem("import '" + import.name + "': the call site at code1+" + hex(field) +
                   " is not preceded by a call opcode (E8)");
      }
    }
    import.call_sites = static_cast<uint32_t>(fields.size());
    in.report.imports.push_back(std::move(import));
  }
  if (reader.damaged()) in.problem(reader.problem());
}

// Relocates the copy of data1 the way the loader does; false when data2 is damaged.
bool relocate(Inspector& in) {
  const Image& image = in.image;
  ImageReport& report = in.report;
  ql::image::Data2Reader reader(image.data2.data(), static_cast<uint32_t>(image.data2.size()),
                                static_cast<uint32_t>(image.data1.size()));
  for (ql::image::Data2Run run; reader.next(run);) {
    report.runs.push_back(run);
    report.relocated_words += run.words;
  }
  Bytes notes = ql::image::read_data2_notes(image.data2.data(), static_cast<uint32_t>(image.data2.size()));
  report.skip_words = reader.skip_words();
  report.ignored_data2_words = reader.ignored_words() - static_cast<uint32_t>(notes.size());
  report.data2_cursor_end = reader.cursor();
  report.link_map = decode_link_map(notes);
  if (!notes.empty() && !report.link_map) in.problem("data2: the link map behind the runs is damaged");
  if (reader.damaged()) {
    in.problem("data2: " + reader.problem());
    return false;
  }
  report.data1_address =
      report.code1_address + ql::image::data1_offset_in_region(static_cast<uint32_t>(image.code1.size()));
  report.loaded_data1 = image.data1;
  std::string problem;
  ql::image::relocate_data1(image.data2.data(), static_cast<uint32_t>(image.data2.size()),
                            report.loaded_data1.data(), static_cast<uint32_t>(report.loaded_data1.size()),
                            report.code1_address, report.data1_address, problem);
  uint32_t pointer_size = 8;
  if (report.link_map) {
    if (const TargetDescription* target = target_for_machine(report.link_map->machine)) {
      pointer_size = target->pointer_size;
    }
  }
  report.pointer_size = pointer_size;
  in.data1 = {report.loaded_data1.data(), static_cast<uint32_t>(report.loaded_data1.size()),
              report.data1_address, pointer_size};
  return true;
}

bool decode_classes(Inspector& in, const ql::image::ProjectTable& table, std::vector<ClassReport>& out,
                    std::vector<std::string>& problems) {
  bool all = true;
  for (uint32_t i = 0; i < table.class_count; ++i) {
    ClassReport cls;
    cls.index = i;
    uint32_t pointer = ql::image::read_word(table.class_words + 4 * i);
    cls.pointer = in.offset_of(pointer);
    std::string problem;
    cls.complete = ql::image::decode_class_descriptor(in.data1, in.code1(), table.class_count, i, pointer,
                                                      cls.descriptor, problem);
    if (!cls.complete) {
      problems.push_back(problem);
      all = false;
    }
    out.push_back(std::move(cls));
  }
  return all;
}

void read_classes(Inspector& in, const ql::image::ProjectTable& table) {
  std::vector<std::string> problems;
  bool decoded = decode_classes(in, table, in.report.classes, problems);
  if (!decoded && !in.report.link_map && in.data1.pointer_size == 8) {
    // Without a link map the target is a guess: an image for 4-byte pointers reads well only as one.
    ql::image::Data1View narrow = in.data1;
    narrow.pointer_size = 4;
    Inspector other{in.image, in.report, narrow};
    std::vector<ClassReport> classes;
    std::vector<std::string> narrow_problems;
    if (decode_classes(other, table, classes, narrow_problems)) {
      in.data1 = narrow;
      in.report.pointer_size = 4;
      in.report.classes = std::move(classes);
      return;
    }
  }
  for (std::string& problem : problems) in.problem(std::move(problem));
}

void read_item(Inspector& in, ItemReport& item, uint32_t pointer) {
  const uint8_t* record = in.data1.at(pointer, 4);
  uint32_t available = in.available(pointer);
  item.kind = ql::image::read_word(record);
  std::string problem;
  std::string where = "item " + std::to_string(item.index) + " at data1+" + hex(item.pointer) + ": ";
  switch (item.kind) {
    case ql::image::kItemPicture: {
      ql::image::PictureRecord picture;
      if (ql::image::decode_picture_record(record, available, picture, problem)) item.picture = picture;
      break;
    }
    case ql::image::kItemMenuBar: {
      ql::image::StreamRecord stream;
      ql::image::MenuBarStream menu_bar;
      if (ql::image::decode_menu_bar_item(record, available, stream, problem) &&
          ql::image::decode_menu_bar(stream.bytes, stream.length, menu_bar, problem)) {
        item.menu_bar = std::move(menu_bar);
      }
      break;
    }
    case ql::image::kItemSettings: {
      ql::image::SettingsStream stream = ql::image::settings_stream(record);
      ql::image::Settings settings;
      if (ql::image::parse_settings(stream.bytes, stream.length, settings)) {
        item.settings = std::move(settings);
      } else {
        problem = "the settings stream is cut short";
      }
      break;
    }
    case ql::image::kItemImplicitInstance: {
      ql::image::ImplicitInstanceRecord instance;
      if (ql::image::decode_implicit_instance(record, available, instance, problem)) {
        item.implicit_instance = instance;
        if (instance.class_index >= in.report.classes.size()) {
          problem = "the implicit instance's class index " + std::to_string(instance.class_index) +
                    " is not a class of the table";
        }
      }
      break;
    }
    case ql::image::kItemSound: {
      ql::image::SoundRecord sound;
      if (ql::image::decode_sound_record(record, available, sound, problem)) item.sound = sound;
      break;
    }
    case ql::image::kItemMovie:
    case ql::image::kItemValue7:
    case ql::image::kItemValue8:
    case ql::image::kItemMouseCursor:
    case ql::image::kItemDatabase:
      break;
    default:
      problem = "the unknown kind " + std::to_string(item.kind);
  }
  if (!problem.empty()) in.problem(where + problem);
}

void read_linked_symbols(Inspector& in) {
  if (!in.report.link_map) return;
  for (const LinkMapEntry& entry : in.report.link_map->entries) {
    uint32_t address = in.report.data1_address + entry.offset;
    std::string where = "symbol '" + entry.name + "' at data1+" + hex(entry.offset) + ": ";
    if (entry.kind == GeneratedKind::kString) {
      StringReport text{entry.name, entry.offset, {}};
      if (!ql::image::read_string_constant(in.data1, address, text.text)) {
        in.problem(where + "no well-formed string constant there");
      }
      in.report.strings.push_back(std::move(text));
    } else if (entry.kind == GeneratedKind::kWindow) {
      WindowReport window{entry.name, entry.offset, {}};
      const uint8_t* length = in.data1.at(address, 4);
      std::string problem;
      if (!length || !in.data1.at(address + 4, ql::image::read_word(length))) {
        in.problem(where + "the window description's length reaches past the end of data1");
      } else if (!ql::image::decode_window_description(length + 4, ql::image::read_word(length),
                                                       window.description, problem)) {
        in.problem(where + "the window description is damaged: " + problem);
      } else {
        for (const ql::image::ControlRecord& control : window.description.controls) {
          if (control.class_index < 0 ||
              static_cast<size_t>(control.class_index) >= in.report.classes.size()) {
            in.problem(where + "a control's class index " + std::to_string(control.class_index) +
                       " is not a class of the table");
            break;
          }
        }
      }
      in.report.windows.push_back(std::move(window));
    } else if (entry.kind == GeneratedKind::kPluginChainHead) {
      const uint8_t* head = in.data1.at(address, 4);
      std::vector<ql::image::StoredPlugin> plugins;
      std::string problem;
      if (!head) {
        in.problem(where + "the plug-in chain head lies outside data1");
      } else if (!ql::image::walk_plugin_chain(in.data1, ql::image::read_word(head), plugins, problem)) {
        in.problem(where + problem);
      }
      for (const ql::image::StoredPlugin& plugin : plugins)
        in.report.plugins.push_back({plugin.file_name, plugin.length});
    }
  }
}

void read_data1(Inspector& in) {
  const Image& image = in.image;
  ImageReport& report = in.report;
  if (image.data1.size() < 8) {
    in.problem("data1 is " + std::to_string(image.data1.size()) +
               " bytes, too short for its two header words");
    return;
  }
  uint32_t entry = ql::image::read_word(in.data1.bytes + ql::image::kEntryRoutineWord);
  report.entry_routine = entry - report.code1_address;
  if (entry < report.code1_address || report.entry_routine >= image.code1.size()) {
    in.problem("the entry routine (data1+0x0) does not lead into code1: it holds code1+" +
               hex(report.entry_routine) +
               " once loaded, so it is not relocated by code1's load address or lies past code1's end");
  }
  uint32_t table_address = ql::image::read_word(in.data1.bytes + ql::image::kProjectTableWord);
  report.project_table = in.offset_of(table_address);
  ql::image::ProjectTable table;
  std::string problem;
  if (!ql::image::read_project_table(in.data1, table, problem)) {
    in.problem("the project table (data1+0x4 leads to data1+" + hex(report.project_table) + "): " + problem);
    return;
  }
  read_classes(in, table);
  for (uint32_t i = 0; i < table.item_count; ++i) {
    ItemReport item;
    item.index = i + 1;
    uint32_t pointer = ql::image::read_word(table.item_words + 4 * i);
    if (pointer != 0) {
      item.pointer = in.offset_of(pointer);
      read_item(in, item, pointer);
    }
    report.items.push_back(std::move(item));
  }
  read_linked_symbols(in);
}

}  // namespace

ImageReport inspect_image(const Image& image) {
  ImageReport report;
  Inspector in{image, report, {}};
  read_code2(in);
  if (relocate(in)) read_data1(in);
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
