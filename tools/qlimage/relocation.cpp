// Applying the relocations of the placed sections, and turning the rest into fixups and data2 words.
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
  const std::vector<coff::ObjectFile>& objects;
  const Resolution& resolution;
  Layout& layout;
  Diagnostics& diagnostics;
  Relocated out;
  std::vector<Field> fields;
  bool amd64 = resolution.machine == coff::kMachineAmd64;

  bool is_code(const Target& target) const {
    return target.kind == TargetKind::kSection &&
           resolution.kinds[target.object][target.section] == SectionKind::kCode;
  }
  // The target's address when code1 is loaded at 0 and data1 at its place in the same region.
  int64_t region_address(const Target& target) const {
    if (target.kind == TargetKind::kGenerated) {
      return int64_t{layout.data1_in_region} + layout.generated_offset[target.index];
    }
    int64_t base = layout.section_offset[target.object][target.section];
    return (is_code(target) ? 0 : int64_t{layout.data1_in_region}) + base + target.value;
  }
};

bool is_relative(uint16_t machine, uint16_t type) {
  if (machine == coff::kMachineAmd64) return type >= coff::kAmd64Rel32 && type <= coff::kAmd64Rel32_5;
  return type == coff::kI386Rel32;
}

uint32_t field_size(uint16_t machine, uint16_t type) {
  if (is_relative(machine, type)) return 4;
  if (machine == coff::kMachineAmd64) {
    return type == coff::kAmd64Addr64 ? 8 : type == coff::kAmd64Addr32 ? 4 : 0;
  }
  return type == coff::kI386Dir32 ? 4 : 0;
}

bool fits_word(int64_t value) { return value >= INT32_MIN && value <= int64_t{UINT32_MAX}; }

void call_site(Relocator& r, const Site& s, const Target& target) {
  const std::string& name = r.resolution.imports[target.index].name;
  if (!s.in_code) {
    r.diagnostics.error(
        s.where() + ": data holds the address of the imported routine '" + name +
        "'; compiled code may only call imported routines directly, never store or pass their "
        "address; call it from a small function of your own and use that function's address");
    return;
  }
  uint16_t call_type = r.amd64 ? coff::kAmd64Rel32 : coff::kI386Rel32;
  bool call = s.reloc.type == call_type && load_u32(s.field) == 0 && s.reloc.offset >= 1 &&
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

void relative(Relocator& r, const Site& s, const Target& target) {
  if (target.kind == TargetKind::kAbsolute) {
    r.diagnostics.error(s.where() +
                        ": a relative reference to an absolute symbol cannot be resolved; refer to "
                        "it by value instead");
    return;
  }
  if (!r.amd64 && !(s.in_code && r.is_code(target))) {
    r.diagnostics.error(s.where() +
                        ": on i386 only relative references from code to code can be resolved when "
                        "linking; code1 and data1 are placed independently, so refer to data by its address");
    return;
  }
  int64_t extra =
      r.amd64 ? s.reloc.type - coff::kAmd64Rel32 : 0;  // REL32_1..5: bytes between field and next instruction
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

void absolute(Relocator& r, const Site& s, const Target& target) {
  bool wide = r.amd64 && s.reloc.type == coff::kAmd64Addr64;
  int64_t addend = wide ? static_cast<int64_t>(load_u64(s.field)) : static_cast<int32_t>(load_u32(s.field));
  int64_t value;
  bool code_target = r.is_code(target);
  if (target.kind == TargetKind::kAbsolute) {
    value = int64_t{target.value} + addend;
  } else if (code_target && !s.in_code) {
    value = r.region_address(target) + addend;  // a code1 offset, relocated by code1's load address
  } else {
    value = r.region_address(target) - r.layout.data1_in_region + addend;  // relative to data1's load address
  }
  if (target.kind != TargetKind::kAbsolute && !fits_word(value)) {
    r.diagnostics.error(s.where() + ": the addend " + std::to_string(addend) +
                        " puts the address out of range");
    return;
  }
  store_u32(s.field, static_cast<uint32_t>(value));
  // A 64-bit pointer is relocated through its low word; the high word of an address below 2 GiB is 0.
  if (wide) {
    store_u32(s.field + 4, target.kind == TargetKind::kAbsolute ? static_cast<uint32_t>(value >> 32) : 0);
  }
  if (target.kind == TargetKind::kAbsolute) return;
  if (s.in_code) {
    r.out.fixups.push_back(s.offset);
  } else {
    r.out.data_words.push_back({s.offset, code_target});
  }
}

void relocate(Relocator& r, uint32_t o, uint32_t sec, const coff::Relocation& reloc) {
  const coff::ObjectFile& object = r.objects[o];
  const coff::Section& section = object.sections[sec];
  bool in_code = r.resolution.kinds[o][sec] == SectionKind::kCode;
  Bytes& block = in_code ? r.layout.code1 : r.layout.data1;
  uint32_t offset = r.layout.section_offset[o][sec] + reloc.offset;
  Site s{object, section, reloc, in_code, offset, nullptr};
  if (reloc.type == 0) return;  // ABSOLUTE: a no-op on both machines
  uint32_t size = field_size(object.machine, reloc.type);
  if (size == 0) {
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
  const Target& target = r.resolution.targets[o][reloc.symbol];
  if (target.kind == TargetKind::kImport) {
    call_site(r, s, target);
  } else if (is_relative(object.machine, reloc.type)) {
    relative(r, s, target);
  } else {
    absolute(r, s, target);
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

std::optional<Relocated> apply_relocations(const std::vector<coff::ObjectFile>& objects,
                                           const Resolution& resolution, Layout& layout,
                                           Diagnostics& diagnostics) {
  Relocator r{objects, resolution, layout, diagnostics, {}, {}};
  size_t errors_before = diagnostics.errors.size();
  r.out.imports = resolution.imports;
  for (uint32_t o = 0; o < objects.size(); ++o) {
    for (uint32_t s = 0; s < objects[o].sections.size(); ++s) {
      if (!resolution.kept[o][s]) continue;
      if (objects[o].sections[s].is_uninitialized() && !objects[o].sections[s].relocations.empty()) {
        diagnostics.error(objects[o].name + ": section " + objects[o].sections[s].name +
                          " holds zero-filled data but has relocations; the object is corrupt");
        continue;
      }
      for (const coff::Relocation& reloc : objects[o].sections[s].relocations) relocate(r, o, s, reloc);
    }
  }
  check_overlaps(r);
  if (diagnostics.errors.size() != errors_before) return std::nullopt;
  return std::move(r.out);
}

}  // namespace qlimage
