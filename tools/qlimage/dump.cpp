// `qlimage dump`: a readable account of an image or of an executable that carries one.
#include "qlimage/dump.h"

#include <stdio.h>
#include <string.h>

#include "qlimage/image.h"
#include "qlimage/image_inspection.h"
#include "qlimage/pe_resources.h"
#include "image/image_format.h"

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

void print_settings(const Settings& settings, std::ostream& out) {
  out << "      font flag " << int{settings.font_flag} << ", script code " << settings.script_code
      << " (font character set " << int{ql::image::charset_for_script(settings.script_code)} << ")\n";
  out << "      file types: " << settings.file_types.size() << "\n";
  for (const FileType& type : settings.file_types) {
    std::string extensions;
    for (const std::string& extension : type.extensions) {
      extensions += (extensions.empty() ? "" : ";") + extension;
    }
    out << "        " << quoted(type.name) << " codes " << quoted(type.first_code) << " "
        << quoted(type.second_code) << " extensions " << quoted(extensions) << "\n";
  }
  out << "      messages: " << settings.messages.size() << "\n";
  for (size_t i = 0; i < settings.messages.size(); ++i) {
    out << "        " << i << ": " << quoted(settings.messages[i]) << "\n";
  }
  out << "      MDI: " << (settings.mdi ? "yes" : "no") << ", title " << quoted(settings.mdi_title) << "\n";
}

std::string code_address(const std::optional<uint32_t>& code) {
  return code ? "code1+" + hex(*code) : std::string("none");
}

std::string class_reference(uint32_t index, const std::vector<ClassReport>& classes) {
  std::string out = std::to_string(index);
  if (index < classes.size() && classes[index].named) out += " " + quoted(classes[index].name);
  return out;
}

void print_members(const char* title, const std::vector<MemberReport>& members, bool with_code, bool with_key,
                   std::ostream& out) {
  if (members.empty()) return;
  out << "    " << title << ": " << members.size() << "\n";
  for (const MemberReport& member : members) {
    out << "      " << quoted(member.name);
    if (with_code) out << " " << code_address(member.code);
    if (with_key) out << ", key " << member.key;
    out << "\n";
  }
}

void print_class(const ClassReport& cls, const std::vector<ClassReport>& classes, std::ostream& out) {
  out << "  class " << cls.index << " at data1+" << hex(cls.pointer) << ": ";
  if (cls.kind == 1) {
    out << "reference " << quoted(cls.name) << "\n";
    return;
  }
  out << (cls.is_interface ? "compiled interface " : "compiled class ")
      << (cls.named ? quoted(cls.name) : std::string("(anonymous)")) << ", superclass "
      << (cls.superclass < 0 ? std::string("none")
                             : class_reference(static_cast<uint32_t>(cls.superclass), classes))
      << ", size " << cls.size << (cls.complete ? "" : " (descriptor unreadable past here)") << "\n";
  if (cls.has_constructor) {
    out << "    constructor " << code_address(cls.constructor) << ", destructor "
        << code_address(cls.destructor) << "\n";
  }
  if (!cls.interfaces.empty()) {
    out << "    interfaces:";
    for (uint32_t index : cls.interfaces) out << " " << class_reference(index, classes);
    out << "\n";
  }
  print_members("methods", cls.methods, !cls.is_interface, false, out);
  print_members("hooks", cls.hooks, true, true, out);
  print_members("menu handlers", cls.menu_handlers, true, false, out);
  if (!cls.method_table.empty()) {
    out << "    method table: " << cls.method_table.size() << " slot"
        << (cls.method_table.size() == 1 ? "" : "s") << "\n";
    for (size_t slot = 0; slot < cls.method_table.size(); ++slot) {
      out << "      " << slot << ": " << code_address(cls.method_table[slot]) << "\n";
    }
  }
}

void print_image(const Image& image, std::ostream& out, ImageReport& report) {
  report = inspect_image(image);
  out << "blocks:\n";
  out << "  code1 " << image.code1.size() << " bytes\n";
  out << "  code2 " << image.code2.size() << " bytes\n";
  out << "  data1 " << image.data1.size() << " bytes\n";
  out << "  data2 " << image.data2.size() << " bytes\n";
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
  if (report.ignored_code2_bytes) {
    out << "code2 bytes ignored by the loader: " << report.ignored_code2_bytes << "\n";
  }

  uint32_t words[3] = {0, 0, 0};
  for (const RunReport& run : report.runs) {
    words[run.kind == ql::image::kRunCode1 ? 0 : run.kind == ql::image::kRunData1 ? 1 : 2] += run.words;
  }
  out << "data2: " << report.runs.size() << " runs relocating " << words[0] << " words by code1 (0x4000), "
      << words[1] << " by data1 (0x4200), " << words[2] << " by code1 (0x4600); " << report.skip_words
      << " skip words; the cursor ends at data1+" << hex(report.data2_cursor_end) << " of "
      << hex(image.data1.size()) << "\n";
  if (report.ignored_data2_words) {
    out << "data2 words ignored by the loader: " << report.ignored_data2_words << "\n";
  }
  for (const RunReport& run : report.runs) {
    out << "  data1+" << hex(run.data1_offset) << ": " << run.words << " word" << (run.words == 1 ? "" : "s")
        << " by " << (run.kind == ql::image::kRunData1 ? "data1" : "code1") << " (" << hex(run.kind) << ")\n";
  }

  out << "project table at data1+" << hex(report.project_table) << ": " << report.classes.size()
      << " classes, " << report.items.size() << " items\n";
  for (const ClassReport& cls : report.classes) print_class(cls, report.classes, out);
  for (const ItemReport& item : report.items) {
    if (item.pointer == 0) {
      out << "  item " << item.index << ": empty\n";
      continue;
    }
    out << "  item " << item.index << " at data1+" << hex(item.pointer) << ": kind " << item.kind << " ("
        << item_kind_name(item.kind) << ")" << (item.summary.empty() ? "" : ", " + item.summary) << "\n";
    if (item.settings) print_settings(*item.settings, out);
  }
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
