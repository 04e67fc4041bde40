// Relocatable COFF objects as gcc and ld -r write them for x86-64 and i386 Windows: plain data, filled by
// the reader and read by everything after it.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "qlimage/bytes.h"

namespace qlimage::coff {

constexpr uint16_t kMachineI386 = 0x14C;
constexpr uint16_t kMachineAmd64 = 0x8664;

constexpr uint32_t kFileHeaderSize = 20;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kSymbolSize = 18;
constexpr uint32_t kRelocationSize = 10;

// Section characteristics.
constexpr uint32_t kScnCntCode = 0x00000020;
constexpr uint32_t kScnCntInitializedData = 0x00000040;
constexpr uint32_t kScnCntUninitializedData = 0x00000080;
constexpr uint32_t kScnLnkInfo = 0x00000200;
constexpr uint32_t kScnLnkRemove = 0x00000800;
constexpr uint32_t kScnLnkComdat = 0x00001000;
constexpr uint32_t kScnAlignShift = 20;
constexpr uint32_t kScnAlignMask = 0x00F00000;
constexpr uint32_t kScnLnkNrelocOvfl = 0x01000000;
constexpr uint32_t kScnMemDiscardable = 0x02000000;
constexpr uint32_t kScnMemExecute = 0x20000000;
constexpr uint32_t kScnMemRead = 0x40000000;
constexpr uint32_t kScnMemWrite = 0x80000000;

// Special section numbers of symbols.
constexpr int32_t kSymUndefined = 0;
constexpr int32_t kSymAbsolute = -1;
constexpr int32_t kSymDebug = -2;

// Storage classes.
constexpr uint8_t kClassExternal = 2;
constexpr uint8_t kClassStatic = 3;
constexpr uint8_t kClassFile = 103;
constexpr uint8_t kClassWeakExternal = 105;

// COMDAT selections.
constexpr uint8_t kSelectNoDuplicates = 1;
constexpr uint8_t kSelectAny = 2;
constexpr uint8_t kSelectSameSize = 3;
constexpr uint8_t kSelectExactMatch = 4;
constexpr uint8_t kSelectAssociative = 5;
constexpr uint8_t kSelectLargest = 6;

// Relocation types.
constexpr uint16_t kAmd64Absolute = 0x0;
constexpr uint16_t kAmd64Addr64 = 0x1;
constexpr uint16_t kAmd64Addr32 = 0x2;
constexpr uint16_t kAmd64Rel32 = 0x4;
constexpr uint16_t kAmd64Rel32_5 = 0x9;
constexpr uint16_t kI386Absolute = 0x0;
constexpr uint16_t kI386Dir32 = 0x6;
constexpr uint16_t kI386Rel32 = 0x14;

constexpr uint32_t kNoSymbol = 0xFFFFFFFFu;

struct Relocation {
  uint32_t offset = 0;  // within the section
  uint32_t symbol = 0;  // symbol table index
  uint16_t type = 0;
};

struct Section {
  std::string name;
  uint32_t characteristics = 0;
  uint32_t size = 0;
  Bytes data;  // empty for uninitialised data
  std::vector<Relocation> relocations;
  uint8_t comdat_selection = 0;        // 0: not a COMDAT section
  uint32_t comdat_symbol = kNoSymbol;  // the symbol whose name is the COMDAT key
  uint32_t associated_section = 0;     // for kSelectAssociative: the 1-based number it follows

  bool is_comdat() const { return (characteristics & kScnLnkComdat) != 0; }
  bool is_uninitialized() const { return (characteristics & kScnCntUninitializedData) != 0; }
  uint32_t alignment() const;
};

struct Symbol {
  std::string name;
  uint32_t value = 0;
  int32_t section = 0;  // 1-based section number, or one of kSym*
  uint8_t storage_class = 0;
  uint8_t aux_count = 0;
  bool is_aux = false;                // this table slot holds an auxiliary record of the symbol before
  uint32_t weak_default = kNoSymbol;  // weak externals: the symbol used when nothing defines the name

  bool is_external() const { return storage_class == kClassExternal || storage_class == kClassWeakExternal; }
  bool is_defined() const { return section > 0 || section == kSymAbsolute; }
};

struct ObjectFile {
  std::string name;  // as given on the command line, for messages
  uint16_t machine = 0;
  std::vector<Section> sections;  // sections[i] has section number i + 1
  std::vector<Symbol> symbols;    // one slot per symbol table record, auxiliary records included
};

std::string_view machine_name(uint16_t machine);
std::string relocation_type_name(uint16_t machine, uint16_t type);

}  // namespace qlimage::coff
