// Binding the project's symbols to what the objects define.
#include "qlimage/class_symbols.h"

#include "qlimage/symbol_resolution.h"

namespace qlimage {
namespace {

constexpr const char* kUndefined =
    "is not defined by any input object; define it with extern \"C\", or give its mangled name";

std::string section_label(const Resolution& resolution, const SymbolTarget& at) {
  return resolution.objects[at.object].file->name + " in section " + resolution.section(at).name;
}

std::optional<SymbolTarget> find_in_section(const Resolution& resolution, std::string_view name,
                                            std::string& problem) {
  std::optional<SymbolTarget> found = find_global(resolution, name);
  if (!found) {
    problem = kUndefined;
    return std::nullopt;
  }
  if (found->kind != SymbolKind::kSection) {
    problem = "is an absolute symbol of " + resolution.objects[found->object].file->name + ", not a place";
    return std::nullopt;
  }
  return found;
}

}  // namespace

std::optional<SymbolTarget> bind_code_symbol(const Resolution& resolution, std::string_view name,
                                             std::string& problem) {
  std::optional<SymbolTarget> found = find_in_section(resolution, name, problem);
  if (!found) return std::nullopt;
  if (!resolution.is_code(*found)) {
    problem = "is data (" + section_label(resolution, *found) + "), not code";
    return std::nullopt;
  }
  if (found->value >= resolution.section(*found).size) {
    problem = "lies past the end of its section (" + section_label(resolution, *found) + ")";
    return std::nullopt;
  }
  return found;
}

std::optional<SymbolTarget> bind_data_symbol(const Resolution& resolution, std::string_view name,
                                             uint32_t size, std::string& problem) {
  std::optional<SymbolTarget> found = find_in_section(resolution, name, problem);
  if (!found) return std::nullopt;
  SectionKind kind = resolution.placed(*found).kind;
  if (kind == SectionKind::kCode) {
    problem = "is code (" + section_label(resolution, *found) + "), not a variable";
    return std::nullopt;
  }
  if (kind == SectionKind::kReadOnlyData) {
    problem = "is read-only data (" + section_label(resolution, *found) +
              "); the runtime stores an object into it, so declare it without const";
    return std::nullopt;
  }
  uint32_t section_size = resolution.section(*found).size;
  if (section_size < size || found->value > section_size - size) {
    problem = "does not have room for a " + std::to_string(size) + "-byte pointer at its place (" +
              section_label(resolution, *found) + ")";
    return std::nullopt;
  }
  return found;
}

std::optional<uint32_t> read_data_word(const Resolution& resolution, std::string_view name,
                                       std::string& problem) {
  std::optional<SymbolTarget> found = find_global(resolution, name);
  if (!found) {
    problem = kUndefined;
    return std::nullopt;
  }
  if (found->kind == SymbolKind::kAbsolute) return found->value;
  const coff::Section& placed = resolution.section(*found);
  SectionKind kind = resolution.placed(*found).kind;
  if (kind == SectionKind::kCode) {
    problem = "is code (" + section_label(resolution, *found) + "), not a constant";
    return std::nullopt;
  }
  if (kind == SectionKind::kZeroData) {
    problem = "is zero-filled data (" + section_label(resolution, *found) +
              "), which holds no value when linking; give it an initialiser: extern \"C\" const uint32_t " +
              std::string(name) + " = sizeof(...);";
    return std::nullopt;
  }
  if (placed.data.size() < 4 || found->value > placed.data.size() - 4) {
    problem = "does not have 4 bytes of data at its place (" + section_label(resolution, *found) + ")";
    return std::nullopt;
  }
  for (const coff::Relocation& reloc : placed.relocations) {
    uint32_t size = resolution.target->relocation(reloc.type).size;
    if (size == 0) size = 4;
    if (reloc.type != 0 && reloc.offset < uint64_t{found->value} + 4 &&
        uint64_t{reloc.offset} + size > found->value) {
      problem = "holds an address (" + section_label(resolution, *found) +
                " relocates it), which is known only when the image is loaded";
      return std::nullopt;
    }
  }
  return load_u32(placed.data.data() + found->value);
}

}  // namespace qlimage
