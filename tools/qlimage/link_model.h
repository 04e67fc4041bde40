// Plain data passed between the passes of `qlimage link`: each object's sections and symbols as the link
// sees them, the imports, and the symbols that qlimage defines itself.
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qlimage/coff.h"
#include "qlimage/section_kinds.h"
#include "qlimage/target.h"

namespace qlimage {

// What a symbol stands for once every input and the project are known.
enum class SymbolKind { kSection, kAbsolute, kImport, kGenerated };

struct SymbolTarget {
  SymbolKind kind = SymbolKind::kAbsolute;
  uint32_t object = 0;   // kSection
  uint32_t section = 0;  // kSection: 0-based index into the object's sections
  uint32_t value = 0;    // kSection: offset in the section; kAbsolute: the value
  uint32_t index = 0;    // kImport: index into the imports; kGenerated: index into the generated symbols
};

// One input section: what it is, whether it goes into the image, and where the layout put it.
struct LinkSection {
  SectionKind kind = SectionKind::kDrop;
  bool kept = false;
  uint32_t offset = 0;  // in code1 (code) or data1 (everything else), once laid out
};

struct LinkObject {
  const coff::ObjectFile* file = nullptr;
  std::vector<LinkSection> sections;                 // sections[i] is the file's section i + 1
  std::vector<std::optional<SymbolTarget>> symbols;  // set for every symbol that a relocation uses
};

struct Import {
  std::string name;             // as the import record carries it
  std::vector<uint32_t> sites;  // code1 offsets of the call displacement fields
};

// A symbol whose data qlimage places in data1; the generators say which record holds it.
enum class GeneratedKind { kData1Header, kPluginChainHead, kString, kWindow };

struct GeneratedSymbol {
  GeneratedKind kind;
  std::string name;  // C name
  uint32_t record = 0;
  uint32_t offset = 0;  // of the symbol in its record
};

struct Resolution {
  const TargetDescription* target = nullptr;
  std::vector<LinkObject> objects;
  std::vector<Import> imports;
  std::vector<GeneratedSymbol> generated;
  SymbolTarget entry;
  std::map<std::string, SymbolTarget> globals;  // defined external symbols by their object-file name

  const coff::Section& section(const SymbolTarget& at) const {
    return objects[at.object].file->sections[at.section];
  }
  const LinkSection& placed(const SymbolTarget& at) const { return objects[at.object].sections[at.section]; }
  bool is_code(const SymbolTarget& at) const {
    return at.kind == SymbolKind::kSection && placed(at).kind == SectionKind::kCode;
  }
  // The symbol's offset in its block (code1 or data1) once the sections are laid out.
  uint32_t block_offset(const SymbolTarget& at) const { return placed(at).offset + at.value; }
};

// A 32-bit word of data1 that data2 relocates: it holds a code1 or a data1 offset.
struct DataWord {
  uint32_t offset = 0;
  bool code = false;
};

}  // namespace qlimage
