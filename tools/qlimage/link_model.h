// Plain data passed between the passes of `qlimage link`: resolution, layout, relocation, writers.
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/coff.h"
#include "qlimage/section_kinds.h"

namespace qlimage {

// What a relocation's symbol stands for once every input and the project are known.
enum class TargetKind { kSection, kAbsolute, kImport, kGenerated };

struct Target {
  TargetKind kind = TargetKind::kAbsolute;
  uint32_t object = 0;   // kSection
  uint32_t section = 0;  // kSection: 0-based index into the object's sections
  uint32_t value = 0;    // kSection: offset in the section; kAbsolute: the value
  uint32_t index = 0;    // kImport: index into imports; kGenerated: index into generated
};

// Symbols whose data qlimage itself places in data1.
enum class GeneratedKind { kData1Header, kPluginChainHead, kString };

struct GeneratedSymbol {
  GeneratedKind kind;
  std::string name;
  uint32_t string_index = 0;  // kString: index into the project's strings
};

constexpr uint32_t kGeneratedData1Header = 0;
constexpr uint32_t kGeneratedPluginChainHead = 1;

struct Import {
  std::string name;             // as the import record carries it
  std::vector<uint32_t> sites;  // code1 offsets of the call displacement fields
};

struct SymbolDefinition {
  uint32_t object = 0;
  uint32_t symbol = 0;
};

// A member of a class descriptor: a method {name, code}, a hook {name, code, key} or a menu handler
// {menu item name, code}.
struct DescriptorMember {
  uint32_t name = 0;           // index into BoundClasses::names
  std::optional<Target> code;  // a kSection target in code; none for an interface's methods
  uint32_t key = 0;
};

// A class of the project with every name turned into an index and every symbol into a target.
struct BoundClass {
  bool reference = false;
  std::optional<uint32_t> name;  // index into BoundClasses::names; none: anonymous
  uint32_t size = 0;
  int32_t superclass = -1;
  std::optional<Target> constructor, destructor;  // both or neither
  bool is_interface = false;
  std::vector<uint32_t> interfaces;
  std::vector<DescriptorMember> methods, hooks, menu_handlers;
  std::vector<std::optional<Target>> method_table;  // from slot 0, which is always empty
};

struct BoundClasses {
  std::vector<std::string> names;  // each distinct text once, in order of first use
  std::vector<BoundClass> classes;
};

struct Resolution {
  uint16_t machine = 0;
  std::vector<std::vector<SectionKind>> kinds;  // [object][section]
  std::vector<std::vector<bool>> kept;          // [object][section]: placed in the image
  std::vector<std::vector<Target>> targets;     // [object][symbol]: valid where `resolved` is set
  std::vector<std::vector<bool>> resolved;
  std::vector<Import> imports;
  std::vector<GeneratedSymbol> generated;
  Target entry;
  std::map<std::string, SymbolDefinition> globals;  // defined external symbols by their object-file name
  BoundClasses classes;
};

// A 32-bit word of data1 that data2 relocates: it holds a code1 or a data1 offset.
struct DataWord {
  uint32_t offset = 0;
  bool code = false;
};

struct Layout {
  std::vector<std::vector<uint32_t>> section_offset;  // [object][section]: offset in code1 or data1
  std::vector<uint32_t> generated_offset;             // data1 offsets of the generated symbols
  uint32_t data1_in_region = 0;                       // where data1 sits relative to code1 when loaded
  Bytes code1;
  Bytes data1;
  std::vector<DataWord> data_words;  // the relocated words of qlimage's own data
};

struct RelocationResult {
  std::vector<uint32_t> fixups;  // code1 offsets of words that receive data1's load address
  std::vector<DataWord> data_words;
};

}  // namespace qlimage
