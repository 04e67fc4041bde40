// Printing an image's report.
#include "qlimage/dump.h"

#include <stdio.h>
#include <string.h>

#include "image/image_format.h"
#include "image/stream_reader.h"
#include "qlimage/image.h"
#include "qlimage/image_inspection.h"
#include "qlimage/pe_resources.h"
#include "qlimage/target.h"

namespace qlimage {
namespace {

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (char ch : text) {
    uint8_t byte = static_cast<uint8_t>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char buffer[8];
      snprintf(buffer, sizeof buffer, "\\x%02X", byte);
      out += buffer;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string signed_hex(int32_t value) {
  return value < 0 ? "-" + hex(0ull - static_cast<int64_t>(value)) : hex(static_cast<uint32_t>(value));
}

struct Printer {
  const Image& image;
  const ImageReport& report;
  std::ostream& out;

  std::string code_address(uint32_t code) const {
    return code == 0 ? std::string("none") : "code1+" + hex(code - report.code1_address);
  }
  std::string class_reference(int64_t index) const {
    std::string text = std::to_string(index);
    if (index >= 0 && static_cast<size_t>(index) < report.classes.size()) {
      const ql::image::ClassDescriptor& cls = report.classes[index].descriptor;
      text += cls.name.empty() ? " (anonymous)" : " " + quoted(cls.name);
    }
    return text;
  }

  void members(const char* title, const std::vector<ql::image::DescribedMethod>& methods, bool with_code) {
    if (methods.empty()) return;
    out << "    " << title << ": " << methods.size() << "\n";
    for (const ql::image::DescribedMethod& method : methods) {
      out << "      " << quoted(method.name) << (with_code ? " " + code_address(method.code) : "") << "\n";
    }
  }

  void print_class(const ClassReport& report_class) {
    const ql::image::ClassDescriptor& cls = report_class.descriptor;
    out << "  class " << report_class.index << " at data1+" << hex(report_class.pointer) << ": ";
    if (cls.kind == ql::image::kReferenceClass) {
      out << "reference " << quoted(cls.name) << "\n";
      return;
    }
    out << (cls.is_interface ? "compiled interface " : "compiled class ")
        << (cls.name.empty() ? std::string("(anonymous)") : quoted(cls.name)) << ", superclass "
        << (cls.superclass < 0 ? std::string("none") : class_reference(cls.superclass)) << ", size "
        << cls.instance_size << (report_class.complete ? "" : " (descriptor unreadable past here)") << "\n";
    if (cls.has_constructor) {
      out << "    constructor " << code_address(cls.constructor) << ", destructor "
          << code_address(cls.destructor) << "\n";
    }
    if (!cls.interfaces.empty()) {
      out << "    interfaces:";
      for (uint32_t index : cls.interfaces) out << " " << class_reference(index);
      out << "\n";
    }
    members("methods", cls.methods, !cls.is_interface);
    if (!cls.hooks.empty()) {
      out << "    hooks: " << cls.hooks.size() << "\n";
      for (const ql::image::DescribedHook& hook : cls.hooks) {
        out << "      " << quoted(hook.name) << " " << code_address(hook.code) << ", key " << hook.key
            << "\n";
      }
    }
    if (!cls.menu_handlers.empty()) {
      out << "    menu handlers: " << cls.menu_handlers.size() << "\n";
      for (const ql::image::DescribedMenuHandler& handler : cls.menu_handlers) {
        out << "      " << quoted(handler.item_name) << " " << code_address(handler.code) << "\n";
      }
    }
    if (!cls.method_table.empty()) {
      out << "    method table: " << cls.method_table.size() << " slot"
          << (cls.method_table.size() == 1 ? "" : "s") << "\n";
      for (size_t slot = 0; slot < cls.method_table.size(); ++slot) {
        out << "      " << slot << ": " << code_address(cls.method_table[slot]) << "\n";
      }
    }
  }

  void settings(const ql::image::Settings& settings) {
    out << "      font flag " << int{settings.font_flag} << ", script code " << settings.script_code
        << " (font character set " << int{settings.font_charset} << ")\n";
    out << "      file types: " << settings.file_types.size() << "\n";
    for (const ql::image::FileType& type : settings.file_types) {
      out << "        " << quoted(type.name) << " codes " << quoted(type.first_code) << " "
          << quoted(type.second_code) << " extensions " << quoted(type.extensions) << "\n";
    }
    out << "      messages: " << settings.messages.size() << "\n";
    for (size_t i = 0; i < settings.messages.size(); ++i) {
      out << "        " << i << ": " << quoted(settings.messages[i]) << "\n";
    }
    out << "      MDI: " << (settings.mdi ? "yes" : "no") << ", title " << quoted(settings.mdi_title) << "\n";
  }

  static std::string index_text(int32_t index) {
    return static_cast<uint32_t>(index) == ql::image::kMissingIndex ? "none" : std::to_string(index);
  }

  void menu_entries(const std::vector<ql::image::MenuEntry>& entries, int depth) {
    for (const ql::image::MenuEntry& entry : entries) {
      out << std::string(6 + 2 * depth, ' ') << quoted(entry.text);
      if (entry.text == "-") out << " (separator)";
      if (!entry.name.empty()) out << " name " << quoted(entry.name);
      if (static_cast<uint32_t>(entry.index) != ql::image::kMissingIndex) out << " index " << entry.index;
      if (!entry.command_key.empty()) out << " key " << quoted(entry.command_key);
      if (!entry.third_text.empty() || !entry.fourth_text.empty()) {
        out << " texts " << quoted(entry.third_text) << " " << quoted(entry.fourth_text);
      }
      out << " class " << class_reference(entry.class_index);
      if (entry.kind != ql::image::kMenuEntryItem) out << " (kind " << entry.kind << ")";
      out << (entry.has_submenu ? ", submenu:" : "") << "\n";
      menu_entries(entry.items, depth + 1);
    }
  }

  void item(const ItemReport& item) {
    if (item.pointer == 0) {
      out << "  item " << item.index << ": empty\n";
      return;
    }
    out << "  item " << item.index << " at data1+" << hex(item.pointer) << ": kind " << item.kind << " ("
        << item_kind_name(item.kind) << ")";
    if (item.picture) {
      const ql::image::PictureRecord& p = *item.picture;
      out << ", " << p.width << " x " << p.height << " pixels, depth " << p.depth << ", " << p.byte_count
          << " bytes, Transparent " << p.transparent;
    }
    if (item.sound) {
      char seconds[32];
      snprintf(seconds, sizeof seconds, "%.3f", item.sound->length / double{ql::image::kSoundSampleRate});
      out << ", " << item.sound->length << " bytes, " << seconds << " s at " << ql::image::kSoundSampleRate
          << " Hz";
    }
    if (item.implicit_instance) {
      out << ", class " << class_reference(item.implicit_instance->class_index) << " stored into data1+"
          << hex(item.implicit_instance->global - report.data1_address);
    }
    out << "\n";
    if (item.settings) settings(*item.settings);
    if (item.menu_bar) {
      out << "    menus: " << item.menu_bar->menus.size() << "\n";
      menu_entries(item.menu_bar->menus, 0);
    }
  }

  void pairs(const std::vector<ql::image::PropertyPair>& properties, const char* indent) {
    for (const ql::image::PropertyPair& pair : properties) {
      out << indent << quoted(pair.name) << " = " << quoted(pair.value) << "\n";
    }
  }

  void window(const WindowReport& window) {
    const ql::image::WindowDescription& d = window.description;
    out << "  " << window.symbol << " at data1+" << hex(window.offset) << ": class "
        << class_reference(d.class_index) << ", " << d.properties.size() << " properties, "
        << d.controls.size() << " controls, " << d.bindings.size() << " bindings\n";
    pairs(d.properties, "    ");
    for (size_t c = 0; c < d.controls.size(); ++c) {
      out << "    control " << c << ": class " << class_reference(d.controls[c].class_index) << "\n";
      pairs(d.controls[c].properties, "      ");
    }
    for (const ql::image::BindingRecord& binding : d.bindings) {
      out << "    binding: control " << binding.first_control << " " << quoted(binding.first_part)
          << " and control " << binding.second_control << " " << quoted(binding.second_part) << " by class "
          << class_reference(binding.binder_class) << "\n";
    }
  }

  void print() {
    out << "blocks:\n";
    out << "  code1 " << image.code1.size() << " bytes\n";
    out << "  code2 " << image.code2.size() << " bytes\n";
    out << "  data1 " << image.data1.size() << " bytes\n";
    out << "  data2 " << image.data2.size() << " bytes\n";
    if (report.link_map) {
      const TargetDescription* target = target_for_machine(report.link_map->machine);
      out << "linked for "
          << (target ? std::string(target->name) : "machine " + hex(report.link_map->machine)) << "\n";
    }
    out << "entry routine: code1+" << hex(report.entry_routine) << "\n";

    uint32_t sites = 0;
    for (const ImportReport& import : report.imports) sites += import.call_sites;
    out << "imports: " << report.imports.size() << " (" << sites << " call sites)\n";
    for (const ImportReport& import : report.imports) {
      out << "  " << quoted(import.name) << ": " << import.call_sites << " call site"
          << (import.call_sites == 1 ? "" : "s") << ", chain head code1+" << hex(import.chain_head) << "\n";
    }
    out << "data fixups: " << report.fixups.size() << "\n";
    for (const FixupReport& fixup : report.fixups) {
      out << "  code1+" << hex(fixup.offset) << " holds data1" << (fixup.value < 0 ? "" : "+")
          << signed_hex(fixup.value) << "\n";
    }

    uint32_t words[2] = {0, 0};
    for (const ql::image::Data2Run& run : report.runs)
      words[run.base == ql::image::RelocationBase::kData1] += run.words;
    out << "data2: " << report.runs.size() << " runs relocating " << words[0] << " words by code1 and "
        << words[1] << " by data1; " << report.skip_words << " skip words; the cursor ends at data1+"
        << hex(report.data2_cursor_end) << " of " << hex(image.data1.size()) << "\n";
    if (report.ignored_data2_words)
      out << "data2 words ignored by the loader: " << report.ignored_data2_words << "\n";
    for (const ql::image::Data2Run& run : report.runs) {
      out << "  data1+" << hex(run.offset) << ": " << run.words << " word" << (run.words == 1 ? "" : "s")
          << " by " << (run.base == ql::image::RelocationBase::kData1 ? "data1" : "code1") << " ("
          << hex(run.word & 0xFE00) << ")\n";
    }

    out << "project table at data1+" << hex(report.project_table) << ": " << report.classes.size()
        << " classes, " << report.items.size() << " items\n";
    for (const ClassReport& cls : report.classes) print_class(cls);
    for (const ItemReport& entry : report.items) item(entry);
    if (!report.strings.empty()) {
      out << "string constants: " << report.strings.size() << "\n";
      for (const StringReport& text : report.strings) {
        out << "  " << text.symbol << " at data1+" << hex(text.offset) << ": " << quoted(text.text) << "\n";
      }
    }
    if (!report.windows.empty()) {
      out << "windows: " << report.windows.size() << "\n";
      for (const WindowReport& entry : report.windows) window(entry);
    }
    if (report.link_map) {
      out << "stored plug-ins: " << report.plugins.size() << "\n";
      for (const PluginReport& plugin : report.plugins) {
        out << "  " << quoted(plugin.file_name) << ": " << plugin.length << " bytes\n";
      }
    }
  }
};

void print_image(const Image& image, std::ostream& out, ImageReport& report) {
  report = inspect_image(image);
  Printer{image, report, out}.print();
}

bool print_problems(const std::vector<std::string>& problems, std::ostream& out) {
  if (problems.empty()) return true;
  out << "problems: " << problems.size() << "\n";
  for (const std::string& problem : problems) out << "  " << problem << "\n";
  return false;
}

void print_resource_index(ByteView file, uint64_t offset, std::ostream& out,
                          std::vector<std::string>& problems) {
  uint32_t count = 0;
  if (!file.has(offset, 4)) {
    problems.push_back("the resource index offset " + hex(offset) + " lies past the end of the file");
    return;
  }
  const uint8_t* p = file.data() + offset;
  count = load_u32_be(p);
  if (!file.has(offset + 4, 4ull * count)) {
    problems.push_back("the resource index at " + hex(offset) + " claims " + std::to_string(count) +
                       " resources; their offsets run past the end of the file");
    return;
  }
  out << "resource index at file offset " << hex(offset) << ": " << count << " resources\n";
  for (uint32_t r = 0; r < count; ++r) {
    out << "  resource " << r + 1 << " at index data+" << hex(load_u32_be(p + 4 + 4ull * r)) << "\n";
  }
}

bool dump_executable(const std::string& name, ByteView file, std::ostream& out) {
  std::string problem;
  std::optional<ResourceLocation> pickle = find_pickle_resource(file, problem);
  if (!pickle || pickle->size < ql::image::kPickleSize) {
    out << name << ": executable without a usable PICKLE resource: "
        << (pickle ? "it has " + std::to_string(pickle->size) + " bytes instead of 8" : problem) << "\n";
    return false;
  }
  const uint8_t* words = file.data() + pickle->file_offset;
  if (memcmp(words, ql::image::kDevelopmentMarker, 4) == 0) {
    out << name << ": development-mode runtime: its PICKLE resource holds \"PICK\", so it loads code1.dat, "
        << "code2.dat, data1.dat and data2.dat from the current directory; no image is attached\n";
    return true;
  }
  uint32_t image_offset = load_u32(words);
  uint32_t index_offset = load_u32(words + 4);
  out << name << ": executable with an attached image at file offset " << hex(image_offset)
      << ", resource index "
      << (index_offset == ql::image::kNoResourceIndex ? std::string("none") : "at " + hex(index_offset))
      << "\n";
  std::vector<std::string> problems;
  uint64_t limit = file.size();
  if (index_offset != ql::image::kNoResourceIndex) {
    if (index_offset < image_offset) {
      problems.push_back("the resource index lies before the image");
    } else {
      limit = std::min<uint64_t>(limit, index_offset);
    }
  }
  uint64_t end = 0;
  std::optional<Image> image = parse_image(file, image_offset, limit, end, problem);
  if (!image) {
    problems.push_back(problem);
    return print_problems(problems, out);
  }
  if (end < limit) {
    out << "note: " << limit - end << " bytes lie between the image's end and what follows it\n";
  }
  ImageReport report;
  print_image(*image, out, report);
  if (index_offset != ql::image::kNoResourceIndex) print_resource_index(file, index_offset, out, problems);
  problems.insert(problems.end(), report.problems.begin(), report.problems.end());
  return print_problems(problems, out);
}

}  // namespace

bool dump_file(const std::string& name, const Bytes& bytes, std::ostream& out) {
  ByteView file(bytes);
  if (is_pe_file(file)) return dump_executable(name, file, out);
  std::string problem;
  uint64_t end = 0;
  std::optional<Image> image = parse_image(file, 0, file.size(), end, problem);
  out << name << ": image of " << bytes.size() << " bytes\n";
  if (!image) return print_problems({problem}, out);
  ImageReport report;
  print_image(*image, out, report);
  if (end != file.size()) {
    report.problems.push_back(std::to_string(file.size() - end) + " bytes follow data2 at offset " +
                              hex(end));
  }
  return print_problems(report.problems, out);
}

}  // namespace qlimage
