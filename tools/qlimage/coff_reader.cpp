// Parsing relocatable COFF objects, every offset checked against the file.
#include "qlimage/coff_reader.h"

#include <string.h>

namespace qlimage::coff {
namespace {

struct Reader {
  const std::string& name;
  ByteView file;
  Diagnostics& diagnostics;
  bool ok = true;

  void fail(const std::string& what) {
    diagnostics.error(name + ": " + what);
    ok = false;
  }
};

// Names of 8 bytes or less are stored in place; longer ones live in the string table.
std::string fixed_name(const uint8_t* p) {
  size_t length = strnlen(reinterpret_cast<const char*>(p), 8);
  return std::string(reinterpret_cast<const char*>(p), length);
}

bool string_at(Reader& r, ByteView strings, uint64_t offset, std::string& out) {
  if (offset < 4 || offset >= strings.size()) return false;
  const char* start = reinterpret_cast<const char*>(strings.data() + offset);
  size_t length = strnlen(start, strings.size() - offset);
  if (offset + length >= strings.size()) return false;  // no terminating NUL inside the table
  out.assign(start, length);
  (void)r;
  return true;
}

bool check_magic(Reader& r) {
  ByteView f = r.file;
  if (f.size() >= 8 && memcmp(f.data(), "!<arch>\n", 8) == 0) {
    r.fail(
        "is a static library (ar archive); give qlimage the object files themselves, or combine them "
        "with ld -r first");
    return false;
  }
  if (f.size() >= 4 && memcmp(f.data(),
                              "\x7F"
                              "ELF",
                              4) == 0) {
    r.fail(
        "is an ELF object; compile with the mingw-w64 compilers (x86_64-w64-mingw32-g++ or "
        "i686-w64-mingw32-g++)");
    return false;
  }
  if (f.size() >= 2 && memcmp(f.data(), "MZ", 2) == 0) {
    r.fail("is an executable or DLL, not a relocatable object; give qlimage the .o files");
    return false;
  }
  if (f.size() < kFileHeaderSize) {
    r.fail("is truncated: " + std::to_string(f.size()) +
           " bytes, shorter than a COFF file header (20 bytes)");
    return false;
  }
  uint16_t machine = 0, sections = 0;
  f.u16(0, machine);
  f.u16(2, sections);
  if (machine == 0 && sections == 0xFFFF) {
    r.fail("is a big-object COFF file, which qlimage does not read; compile without -Wa,-mbig-obj");
    return false;
  }
  if (machine != kMachineAmd64 && machine != kMachineI386) {
    r.fail("has machine type " + hex(machine) +
           "; qlimage links only x86-64 (0x8664) and i386 (0x14c) objects");
    return false;
  }
  uint16_t optional_header = 0;
  f.u16(16, optional_header);
  if (optional_header != 0) {
    r.fail("has an optional header, so it is a linked image, not a relocatable object");
    return false;
  }
  return true;
}

void read_relocations(Reader& r, Section& section, uint32_t pointer, uint32_t count) {
  uint64_t start = pointer;
  if (section.characteristics & kScnLnkNrelocOvfl) {
    // The real count sits in the first record, which is otherwise unused.
    uint32_t real_count = 0;
    if (!r.file.u32(pointer, real_count) || real_count == 0) {
      r.fail("section " + section.name + ": relocation count overflow record lies outside the file");
      return;
    }
    start += kRelocationSize;
    count = real_count - 1;
  }
  if (!r.file.has(start, uint64_t{count} * kRelocationSize)) {
    r.fail("section " + section.name + ": its " + std::to_string(count) +
           " relocations lie outside the file (truncated object?)");
    return;
  }
  section.relocations.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = r.file.data() + start + uint64_t{i} * kRelocationSize;
    section.relocations[i] = {load_u32(p), load_u32(p + 4), load_u16(p + 8)};
  }
}

void read_sections(Reader& r, ByteView strings, uint16_t count, std::vector<Section>& sections) {
  uint64_t table = kFileHeaderSize;
  if (!r.file.has(table, uint64_t{count} * kSectionHeaderSize)) {
    r.fail("is truncated: its " + std::to_string(count) + " section headers run past the end of the file");
    return;
  }
  sections.resize(count);
  for (uint16_t i = 0; i < count && r.ok; ++i) {
    const uint8_t* h = r.file.data() + table + uint64_t{i} * kSectionHeaderSize;
    Section& section = sections[i];
    section.name = fixed_name(h);
    if (section.name.size() > 1 && section.name[0] == '/') {
      char* end = nullptr;
      unsigned long offset = strtoul(section.name.c_str() + 1, &end, 10);
      if (*end != '\0' || !string_at(r, strings, offset, section.name)) {
        r.fail("section " + std::to_string(i + 1) + " has the long name '" + section.name +
               "' that does not point into the string table");
        return;
      }
    }
    uint32_t raw_size = load_u32(h + 16);
    uint32_t raw_pointer = load_u32(h + 20);
    uint32_t reloc_pointer = load_u32(h + 24);
    uint16_t reloc_count = load_u16(h + 32);
    section.characteristics = load_u32(h + 36);
    section.size = raw_size;
    if ((section.characteristics & kScnAlignMask) == kScnAlignMask) {
      r.fail("section " + section.name + " has an invalid alignment field");
      return;
    }
    if (!section.is_uninitialized() && raw_size > 0) {
      if (!r.file.has(raw_pointer, raw_size)) {
        r.fail("section " + section.name + ": its " + std::to_string(raw_size) + " bytes at file offset " +
               hex(raw_pointer) + " lie outside the file (truncated object?)");
        return;
      }
      section.data.assign(r.file.data() + raw_pointer, r.file.data() + raw_pointer + raw_size);
    }
    if (reloc_count > 0 || (section.characteristics & kScnLnkNrelocOvfl)) {
      read_relocations(r, section, reloc_pointer, reloc_count);
    }
  }
}

void read_symbols(Reader& r, uint32_t pointer, uint32_t count, ByteView strings,
                  std::vector<Symbol>& symbols) {
  symbols.resize(count);
  for (uint32_t i = 0; i < count && r.ok; ++i) {
    const uint8_t* p = r.file.data() + pointer + uint64_t{i} * kSymbolSize;
    Symbol& symbol = symbols[i];
    if (load_u32(p) == 0) {
      if (!string_at(r, strings, load_u32(p + 4), symbol.name)) {
        r.fail("symbol " + std::to_string(i) + " has a name offset outside the string table");
        return;
      }
    } else {
      symbol.name = fixed_name(p);
    }
    symbol.value = load_u32(p + 8);
    symbol.section = static_cast<int16_t>(load_u16(p + 12));
    symbol.storage_class = p[16];
    symbol.aux_count = p[17];
    if (symbol.aux_count > count - 1 - i) {
      r.fail("symbol '" + symbol.name + "' has auxiliary records past the end of the symbol table");
      return;
    }
    for (uint32_t a = 1; a <= symbol.aux_count; ++a) symbols[i + a].is_aux = true;
    i += symbol.aux_count;
  }
}

// Links COMDAT sections to their selection and key symbol, and weak externals to their defaults.
void read_auxiliary_records(Reader& r, uint32_t pointer, ObjectFile& object) {
  std::vector<Symbol>& symbols = object.symbols;
  std::vector<bool> section_defined(object.sections.size() + 1, false);
  for (uint32_t i = 0; i < symbols.size() && r.ok; ++i) {
    Symbol& symbol = symbols[i];
    if (symbol.is_aux) continue;
    if (symbol.section > static_cast<int32_t>(object.sections.size())) {
      r.fail("symbol '" + symbol.name + "' refers to section " + std::to_string(symbol.section) +
             ", but the object has " + std::to_string(object.sections.size()) + " sections");
      return;
    }
    const uint8_t* aux = r.file.data() + pointer + uint64_t{i + 1} * kSymbolSize;
    if (symbol.storage_class == kClassWeakExternal && symbol.aux_count > 0) {
      symbol.weak_default = load_u32(aux);
      if (symbol.weak_default >= symbols.size() || symbols[symbol.weak_default].is_aux) {
        r.fail("weak symbol '" + symbol.name + "' names a default symbol outside the symbol table");
        return;
      }
      continue;
    }
    if (symbol.section <= 0) continue;
    Section& section = object.sections[symbol.section - 1];
    if (!section.is_comdat()) continue;
    if (!section_defined[symbol.section]) {
      // The first symbol of a COMDAT section defines it; its auxiliary record holds the selection.
      if (symbol.storage_class != kClassStatic || symbol.aux_count == 0) {
        r.fail("COMDAT section " + section.name + " lacks its section definition symbol");
        return;
      }
      section_defined[symbol.section] = true;
      section.comdat_selection = aux[14];
      section.associated_section = load_u16(aux + 12);
      if (section.comdat_selection == kSelectAssociative &&
          (section.associated_section == 0 || section.associated_section > object.sections.size())) {
        r.fail("COMDAT section " + section.name + " is associated with section " +
               std::to_string(section.associated_section) + ", which does not exist");
        return;
      }
    } else if (section.comdat_symbol == kNoSymbol) {
      section.comdat_symbol = i;  // the second symbol names the COMDAT key
    }
  }
  for (Section& section : object.sections) {
    if (!r.ok || !section.is_comdat()) continue;
    if (section.comdat_selection == 0) {
      r.fail("COMDAT section " + section.name + " has no selection record");
    } else if (section.comdat_selection != kSelectAssociative && section.comdat_symbol == kNoSymbol) {
      r.fail("COMDAT section " + section.name + " has no key symbol");
    }
  }
}

}  // namespace

std::optional<ObjectFile> read_object(const std::string& name, std::span<const uint8_t> bytes,
                                      Diagnostics& diagnostics) {
  Reader r{name, ByteView(bytes), diagnostics};
  if (!check_magic(r)) return std::nullopt;
  ObjectFile object;
  object.name = name;
  uint16_t section_count = 0;
  uint32_t symbol_pointer = 0, symbol_count = 0;
  r.file.u16(0, object.machine);
  r.file.u16(2, section_count);
  r.file.u32(8, symbol_pointer);
  r.file.u32(12, symbol_count);

  ByteView strings;
  if (symbol_count > 0) {
    uint64_t table_size = uint64_t{symbol_count} * kSymbolSize;
    if (!r.file.has(symbol_pointer, table_size)) {
      r.fail("is truncated: its symbol table (" + std::to_string(symbol_count) + " records at " +
             hex(symbol_pointer) + ") runs past the end of the file");
      return std::nullopt;
    }
    uint64_t strings_at = symbol_pointer + table_size;
    uint32_t strings_size = 0;
    if (!r.file.u32(strings_at, strings_size) || strings_size < 4 || !r.file.has(strings_at, strings_size)) {
      r.fail("is truncated: its string table runs past the end of the file");
      return std::nullopt;
    }
    strings = r.file.sub(strings_at, strings_size);
  }
  read_sections(r, strings, section_count, object.sections);
  if (r.ok) read_symbols(r, symbol_pointer, symbol_count, strings, object.symbols);
  if (r.ok) read_auxiliary_records(r, symbol_pointer, object);
  for (const Section& section : object.sections) {
    for (const Relocation& reloc : section.relocations) {
      if (!r.ok) break;
      if (reloc.symbol >= object.symbols.size() || object.symbols[reloc.symbol].is_aux) {
        r.fail("section " + section.name + "+" + hex(reloc.offset) + ": relocation refers to symbol index " +
               std::to_string(reloc.symbol) + ", which is not a symbol of the object");
      }
    }
  }
  if (!r.ok) return std::nullopt;
  return object;
}

}  // namespace qlimage::coff
