// Builds relocatable COFF objects in memory for the qlimage tests: sections, symbols, COMDATs and
// relocations, laid out as gcc's assembler lays them out.
#pragma once

#include <stdint.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/coff.h"

namespace qltest {

using qlimage::Bytes;
namespace coff = qlimage::coff;

constexpr uint32_t kCode = coff::kScnCntCode | coff::kScnMemExecute | coff::kScnMemRead;
constexpr uint32_t kData = coff::kScnCntInitializedData | coff::kScnMemRead | coff::kScnMemWrite;
constexpr uint32_t kReadOnly = coff::kScnCntInitializedData | coff::kScnMemRead;
constexpr uint32_t kZero = coff::kScnCntUninitializedData | coff::kScnMemRead | coff::kScnMemWrite;

constexpr uint32_t align_flag(uint32_t alignment) {
  uint32_t code = 1;
  while ((1u << (code - 1)) < alignment) ++code;
  return code << coff::kScnAlignShift;
}

class CoffBuilder {
 public:
  explicit CoffBuilder(uint16_t machine) : machine_(machine) {}

  // Adds a section and its section symbol; returns the section number (1-based).
  int section(const std::string& name, uint32_t flags, Bytes data, uint32_t alignment = 16) {
    uint32_t size = static_cast<uint32_t>(data.size());
    sections_.push_back({name, flags | align_flag(alignment), std::move(data), size, {}});
    int number = static_cast<int>(sections_.size());
    section_symbol_[number] = add_symbol(name, number, 0, coff::kClassStatic, section_aux(number, 0, 0));
    return number;
  }
  int zero_section(const std::string& name, uint32_t size, uint32_t alignment = 16) {
    sections_.push_back({name, kZero | align_flag(alignment), {}, size, {}});
    int number = static_cast<int>(sections_.size());
    section_symbol_[number] = add_symbol(name, number, 0, coff::kClassStatic, section_aux(number, 0, 0));
    return number;
  }
  // A COMDAT section whose key symbol (external, at offset 0) is `key`.
  int comdat(const std::string& name, uint32_t flags, Bytes data, uint8_t selection, const std::string& key,
             int associated = 0) {
    uint32_t size = static_cast<uint32_t>(data.size());
    sections_.push_back({name, flags | coff::kScnLnkComdat | align_flag(16), std::move(data), size, {}});
    int number = static_cast<int>(sections_.size());
    section_symbol_[number] =
        add_symbol(name, number, 0, coff::kClassStatic, section_aux(number, selection, associated));
    if (selection != coff::kSelectAssociative) add_symbol(key, number, 0, coff::kClassExternal);
    return number;
  }

  uint32_t symbol(const std::string& name, int section, uint32_t value,
                  uint8_t storage_class = coff::kClassExternal) {
    return add_symbol(name, section, value, storage_class);
  }
  uint32_t undefined(const std::string& name) { return add_symbol(name, 0, 0, coff::kClassExternal); }
  // A weak external that falls back to `fallback` when nothing defines `name`.
  uint32_t weak(const std::string& name, uint32_t fallback) {
    Bytes aux(coff::kSymbolSize, 0);
    qlimage::store_u32(aux.data(), fallback);
    aux[4] = 3;  // search alias
    return add_symbol(name, 0, 0, coff::kClassWeakExternal, aux);
  }
  uint32_t section_symbol(int section) const { return section_symbol_.at(section); }

  void reloc(int section, uint32_t offset, uint32_t symbol, uint16_t type) {
    sections_[section - 1].relocs.push_back({offset, symbol, type});
  }

  Bytes build() const {
    Bytes out;
    uint32_t data_at =
        coff::kFileHeaderSize + coff::kSectionHeaderSize * static_cast<uint32_t>(sections_.size());
    uint32_t at = data_at;
    std::vector<uint32_t> raw(sections_.size()), relocs(sections_.size());
    for (size_t i = 0; i < sections_.size(); ++i) {
      raw[i] = at;
      at += static_cast<uint32_t>(sections_[i].data.size());
    }
    for (size_t i = 0; i < sections_.size(); ++i) {
      relocs[i] = at;
      at += coff::kRelocationSize * static_cast<uint32_t>(sections_[i].relocs.size());
    }
    uint32_t symbols_at = at;
    Bytes strings(4, 0);
    qlimage::append_u16(out, machine_);
    qlimage::append_u16(out, static_cast<uint16_t>(sections_.size()));
    qlimage::append_u32(out, 0);
    qlimage::append_u32(out, symbols_at);
    qlimage::append_u32(out, static_cast<uint32_t>(symbols_.size()));
    qlimage::append_u16(out, 0);
    qlimage::append_u16(out, 0);
    for (size_t i = 0; i < sections_.size(); ++i) {
      const Sec& s = sections_[i];
      append_name(out, strings, s.name, true);
      qlimage::append_u32(out, 0);
      qlimage::append_u32(out, 0);
      qlimage::append_u32(out, s.size);
      qlimage::append_u32(out, s.data.empty() ? 0 : raw[i]);
      qlimage::append_u32(out, s.relocs.empty() ? 0 : relocs[i]);
      qlimage::append_u32(out, 0);
      qlimage::append_u16(out, static_cast<uint16_t>(s.relocs.size()));
      qlimage::append_u16(out, 0);
      qlimage::append_u32(out, s.flags);
    }
    for (const Sec& s : sections_) qlimage::append_bytes(out, s.data);
    for (const Sec& s : sections_) {
      for (const Rel& r : s.relocs) {
        qlimage::append_u32(out, r.offset);
        qlimage::append_u32(out, r.symbol);
        qlimage::append_u16(out, r.type);
      }
    }
    for (const Sym& sym : symbols_) {
      if (sym.aux_of) {
        out.insert(out.end(), sym.aux.begin(), sym.aux.end());
        continue;
      }
      append_name(out, strings, sym.name, false);
      qlimage::append_u32(out, sym.value);
      qlimage::append_u16(out, static_cast<uint16_t>(sym.section));
      qlimage::append_u16(out, 0);
      out.push_back(sym.storage_class);
      out.push_back(sym.aux_count);
    }
    qlimage::store_u32(strings.data(), static_cast<uint32_t>(strings.size()));
    qlimage::append_bytes(out, strings);
    return out;
  }

 private:
  struct Rel {
    uint32_t offset, symbol;
    uint16_t type;
  };
  struct Sec {
    std::string name;
    uint32_t flags;
    Bytes data;
    uint32_t size;
    std::vector<Rel> relocs;
  };
  struct Sym {
    std::string name;
    int section = 0;
    uint32_t value = 0;
    uint8_t storage_class = 0;
    uint8_t aux_count = 0;
    bool aux_of = false;
    Bytes aux;
  };

  Bytes section_aux(int number, uint8_t selection, int associated) const {
    Bytes aux(coff::kSymbolSize, 0);
    const Sec& s = sections_[number - 1];
    qlimage::store_u32(aux.data(), s.size);
    aux[4] = static_cast<uint8_t>(s.relocs.size());
    aux[12] = static_cast<uint8_t>(associated);
    aux[13] = static_cast<uint8_t>(associated >> 8);
    aux[14] = selection;
    return aux;
  }

  uint32_t add_symbol(const std::string& name, int section, uint32_t value, uint8_t storage_class,
                      Bytes aux = {}) {
    uint32_t index = static_cast<uint32_t>(symbols_.size());
    symbols_.push_back(
        {name, section, value, storage_class, static_cast<uint8_t>(aux.empty() ? 0 : 1), false, {}});
    if (!aux.empty()) symbols_.push_back({"", 0, 0, 0, 0, true, aux});
    return index;
  }

  static void append_name(Bytes& out, Bytes& strings, const std::string& name, bool section) {
    if (name.size() <= 8) {
      Bytes field(8, 0);
      std::copy(name.begin(), name.end(), field.begin());
      qlimage::append_bytes(out, field);
      return;
    }
    uint32_t offset = static_cast<uint32_t>(strings.size());
    qlimage::append_text(strings, name);
    strings.push_back(0);
    if (section) {
      std::string field = "/" + std::to_string(offset);
      field.resize(8, '\0');
      qlimage::append_text(out, field);
    } else {
      qlimage::append_u32(out, 0);
      qlimage::append_u32(out, offset);
    }
  }

  uint16_t machine_;
  std::vector<Sec> sections_;
  std::vector<Sym> symbols_;
  std::map<int, uint32_t> section_symbol_;
};

// Code fragments: `call` appends a 5-byte relative call and returns the offset of its displacement field.
inline uint32_t call(Bytes& code) {
  code.push_back(0xE8);
  uint32_t field = static_cast<uint32_t>(code.size());
  qlimage::append_u32(code, 0);
  return field;
}

}  // namespace qltest
