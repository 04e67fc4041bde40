// The code addresses and instance sizes that class descriptors take from the linked symbols.
#include "qlimage/class_symbols.h"

namespace qlimage {
namespace {

constexpr const char* kUndefined =
    "is not defined by any input object; define it with extern \"C\", or give its mangled name";

std::optional<SymbolDefinition> find_definition(const Resolution& resolution, std::string_view name) {
  std::vector<std::string> candidates;
  if (resolution.machine == coff::kMachineI386) candidates.push_back("_" + std::string(name));
  candidates.emplace_back(name);
  for (const std::string& candidate : candidates) {
    auto it = resolution.globals.find(candidate);
    if (it != resolution.globals.end()) return it->second;
  }
  return std::nullopt;
}

std::string section_label(const coff::ObjectFile& object, const coff::Section& section) {
  return object.name + " in section " + section.name;
}

uint32_t field_size(uint16_t machine, uint16_t type) {
  return machine == coff::kMachineAmd64 && type == coff::kAmd64Addr64 ? 8 : 4;
}

}  // namespace

std::optional<Target> bind_code_symbol(const std::vector<coff::ObjectFile>& objects,
                                       const Resolution& resolution, std::string_view name,
                                       std::string& problem) {
  std::optional<SymbolDefinition> definition = find_definition(resolution, name);
  if (!definition) {
    problem = kUndefined;
    return std::nullopt;
  }
  const coff::ObjectFile& object = objects[definition->object];
  const coff::Symbol& symbol = object.symbols[definition->symbol];
  if (symbol.section <= 0) {
    problem = "is an absolute symbol of " + object.name + ", not code";
    return std::nullopt;
  }
  uint32_t section = static_cast<uint32_t>(symbol.section - 1);
  const coff::Section& placed = object.sections[section];
  if (resolution.kinds[definition->object][section] != SectionKind::kCode) {
    problem = "is data (" + section_label(object, placed) + "), not code";
    return std::nullopt;
  }
  if (symbol.value >= placed.size) {
    problem = "lies past the end of its section (" + section_label(object, placed) + ")";
    return std::nullopt;
  }
  return Target{TargetKind::kSection, definition->object, section, symbol.value, 0};
}

std::optional<uint32_t> read_data_word(const std::vector<coff::ObjectFile>& objects,
                                       const Resolution& resolution, std::string_view name,
                                       std::string& problem) {
  std::optional<SymbolDefinition> definition = find_definition(resolution, name);
  if (!definition) {
    problem = kUndefined;
    return std::nullopt;
  }
  const coff::ObjectFile& object = objects[definition->object];
  const coff::Symbol& symbol = object.symbols[definition->symbol];
  if (symbol.section == coff::kSymAbsolute) return symbol.value;
  if (symbol.section <= 0) {
    problem = "is not defined in a section of " + object.name;
    return std::nullopt;
  }
  uint32_t section = static_cast<uint32_t>(symbol.section - 1);
  const coff::Section& placed = object.sections[section];
  SectionKind kind = resolution.kinds[definition->object][section];
  if (kind == SectionKind::kCode) {
    problem = "is code (" + section_label(object, placed) + "), not a constant";
    return std::nullopt;
  }
  if (kind == SectionKind::kZeroData) {
    problem = "is zero-filled data (" + section_label(object, placed) +
              "), which holds no value when linking; give it an initialiser: extern \"C\" const uint32_t " +
              std::string(name) + " = sizeof(...);";
    return std::nullopt;
  }
  if (placed.data.size() < 4 || symbol.value > placed.data.size() - 4) {
    problem = "does not have 4 bytes of data at its place (" + section_label(object, placed) + ")";
    return std::nullopt;
  }
  for (const coff::Relocation& reloc : placed.relocations) {
    if (reloc.type == 0) continue;
    if (reloc.offset < uint64_t{symbol.value} + 4 &&
        uint64_t{reloc.offset} + field_size(object.machine, reloc.type) > symbol.value) {
      problem = "holds an address (" + section_label(object, placed) +
                " relocates it), which is known only when the image is loaded";
      return std::nullopt;
    }
  }
  return load_u32(placed.data.data() + symbol.value);
}

}  // namespace qlimage
