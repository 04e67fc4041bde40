// Applying the objects' relocations to the laid-out blocks.
#include "qlimage/relocation.h"

#include <algorithm>

namespace qlimage {
namespace {

constexpr uint8_t kCallOpcode = 0xE8;

// One relocation of a placed section, with everything the messages name.
struct Site {
  const coff::ObjectFile& object;
  const coff::Section& section;
  const coff::Relocation& reloc;
  bool in_code;
  uint32_t offset;  // of the field, in code1 or data1
  uint8_t* field;

  std::string where() const {
    return object.name + ": " + section.name + "+" + hex(reloc.offset) + ": " +
           coff::relocation_type_name(object.machine, reloc.type) + " to '" +
           object.symbols[reloc.symbol].name + "'";
  }
};

// A relocated field, kept to find fields that overlap.
struct Field {
  bool in_code;
  uint32_t offset;  // in code1 or data1
  uint32_t size;
  const coff::ObjectFile* object;
  const coff::Section* section;
  const coff::Relocation* reloc;

  std::string where() const { return Site{*object, *section, *reloc, in_code, offset, nullptr}.where(); }
};

struct Relocator {
  const Resolution& resolution;
  Layout& layout;
  Diagnostics& diagnostics;
  Relocated out;
  std::vector<Field> fields;
  const TargetDescription& target = *resolution.target;

  bool is_code(const SymbolTarget& symbol) const { return resolution.is_code(symbol); }
  // The symbol's address when code1 is loaded at 0 and data1 at its place in the same region.
  int64_t region_address(const SymbolTarget& symbol) const {
    if (symbol.kind == SymbolKind::kGenerated) {
      return int64_t{layout.data1_in_region} + layout.generated_offset[symbol.index];
    }
    return (is_code(symbol) ? 0 : int64_t{layout.data1_in_region}) + resolution.block_offset(symbol);
  }
};

bool fits_word(int64_t value) { return value >= INT32_MIN && value <= int64_t{UINT32_MAX}; }

void call_site(Relocator& r, const Site& s, const SymbolTarget& target) {
  const std::string& name = r.resolution.imports[target.index].name;
  if (!s.in_code) {
    r.diagnostics.error(
        s.where() + ": data holds the address of the imported routine '" + name +
        "'; compiled code may only call imported routines directly, never store or pass their "
        "address; call it from a small function of your own and use that function's address");
    return;
  }
  bool call = s.reloc.type == r.target.call_relocation && load_u32(s.field) == 0 && s.reloc.offset >= 1 &&
              s.section.data[s.reloc.offset - 1] == kCallOpcode;
  if (!call) {
    r.diagnostics.error(s.where() + ": the imported routine '" + name +
                        "' is used other than by a 5-byte relative call (E8 rel32); its address must not be "
                        "taken and it must not be jumped to: call it directly, and compile with "
                        "-fno-optimize-sibling-calls so that no call becomes a jump");
    return;
  }
  r.out.imports[target.index].sites.push_back(s.offset);
}

void relative(Relocator& r, const Site& s, const SymbolTarget& target, uint32_t extra) {
  if (target.kind == SymbolKind::kAbsolute) {
    r.diagnostics.error(s.where() +
                        ": a relative reference to an absolute symbol cannot be resolved; refer to "
                        "it by value instead");
    return;
  }
  if (!r.target.resolves_references_to_data && !(s.in_code && r.is_code(target))) {
    r.diagnostics.error(s.where() +
                        ": on i386 only relative references from code to code can be resolved when "
                        "linking; code1 and data1 are placed independently, so refer to data by its address");
    return;
  }
  int64_t place = (s.in_code ? 0 : int64_t{r.layout.data1_in_region}) + s.offset;
  int64_t addend = static_cast<int32_t>(load_u32(s.field));
  int64_t value = r.region_address(target) + addend - (place + 4 + extra);
  if (value < INT32_MIN || value > INT32_MAX) {
    r.diagnostics.error(s.where() + ": the displacement " + std::to_string(value) +
                        " does not fit in 32 bits");
    return;
  }
  store_u32(s.field, static_cast<uint32_t>(value));
}

void absolute(Relocator& r, const Site& s, const SymbolTarget& target, bool wide) {
  int64_t addend = wide ? static_cast<int64_t>(load_u64(s.field)) : static_cast<int32_t>(load_u32(s.field));
  int64_t value;
  bool code_target = r.is_code(target);
  if (target.kind == SymbolKind::kAbsolute) {
    value = int64_t{target.value} + addend;
  } else if (code_target && !s.in_code) {
    value = r.region_address(target) + addend;  // a code1 offset, relocated by code1's load address
  } else {
    value = r.region_address(target) - r.layout.data1_in_region + addend;  // relative to data1's load address
  }
  if (target.kind != SymbolKind::kAbsolute && !fits_word(value)) {
    r.diagnostics.error(s.where() + ": the addend " + std::to_string(addend) +
                        " puts the address out of range");
    return;
  }
  store_u32(s.field, static_cast<uint32_t>(value));
  // A 64-bit pointer is relocated through its low word; the high word of an address below 2 GiB is 0.
  if (wide) {
    store_u32(s.field + 4, target.kind == SymbolKind::kAbsolute ? static_cast<uint32_t>(value >> 32) : 0);
  }
  if (target.kind == SymbolKind::kAbsolute) return;
  if (s.in_code) {
    r.out.fixups.push_back(s.offset);
  } else {
    r.out.data_words.push_back({s.offset, code_target});
  }
}

void relocate(Relocator& r, uint32_t o, uint32_t sec, const coff::Relocation& reloc) {
  const LinkObject& linked = r.resolution.objects[o];
  const coff::ObjectFile& object = *linked.file;
  const coff::Section& section = object.sections[sec];
  bool in_code = linked.sections[sec].kind == SectionKind::kCode;
  Bytes& block = in_code ? r.layout.code1 : r.layout.data1;
  uint32_t offset = linked.sections[sec].offset + reloc.offset;
  Site s{object, section, reloc, in_code, offset, nullptr};
  RelocationShape shape = r.target.relocation(reloc.type);
  if (shape.kind == FieldKind::kNone) return;
  uint32_t size = shape.size;
  if (shape.kind == FieldKind::kUnsupported) {
    r.diagnostics.error(s.where() +
                        ": this relocation type cannot be expressed in an application image; only "
                        "direct calls, relative references and absolute 32/64-bit addresses can");
    return;
  }
  if (section.data.size() < size || reloc.offset > section.data.size() - size) {
    r.diagnostics.error(s.where() + ": the relocated field lies outside the section's data (" +
                        std::to_string(section.data.size()) + " bytes); the object is corrupt");
    return;
  }
  s.field = block.data() + offset;
  r.fields.push_back({in_code, offset, size, &object, &section, &reloc});
  const SymbolTarget& target = *linked.symbols[reloc.symbol];
  if (target.kind == SymbolKind::kImport) {
    call_site(r, s, target);
  } else if (shape.kind == FieldKind::kRelative) {
    relative(r, s, target, shape.extra);
  } else {
    absolute(r, s, target, shape.kind == FieldKind::kAbsolute64);
  }
}

void check_overlaps(Relocator& r) {
  std::sort(r.fields.begin(), r.fields.end(), [](const Field& a, const Field& b) {
    return a.in_code != b.in_code ? a.in_code : a.offset < b.offset;
  });
  for (size_t i = 1; i < r.fields.size(); ++i) {
    const Field& a = r.fields[i - 1];
    const Field& b = r.fields[i];
    if (a.in_code == b.in_code && b.offset < a.offset + a.size) {
      r.diagnostics.error(b.where() + ": overlaps the field of " + a.where() + "; the object is corrupt");
    }
  }
}

}  // namespace

std::optional<Relocated> apply_relocations(const Resolution& resolution, Layout& layout,
                                           Diagnostics& diagnostics) {
  Relocator r{resolution, layout, diagnostics, {}, {}};
  size_t errors_before = diagnostics.errors.size();
  r.out.imports = resolution.imports;
  for (uint32_t o = 0; o < resolution.objects.size(); ++o) {
    const coff::ObjectFile& object = *resolution.objects[o].file;
    for (uint32_t s = 0; s < object.sections.size(); ++s) {
      if (!resolution.objects[o].sections[s].kept) continue;
      if (object.sections[s].is_uninitialized() && !object.sections[s].relocations.empty()) {
        diagnostics.error(object.name + ": section " + object.sections[s].name +
                          " holds zero-filled data but has relocations; the object is corrupt");
        continue;
      }
      for (const coff::Relocation& reloc : object.sections[s].relocations) relocate(r, o, s, reloc);
    }
  }
  check_overlaps(r);
  if (diagnostics.errors.size() != errors_before) return std::nullopt;
  return std::move(r.out);
}

}  // namespace qlimage
