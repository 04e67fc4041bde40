// Choosing the sections of the image and resolving the global symbols between objects.
#include "qlimage/symbol_resolution.h"

#include <map>
#include <set>
#include <string>

#include "qlimage/entry_points.h"

namespace qlimage {
namespace {

constexpr std::string_view kData1HeaderSymbol = "ql_data1_header";
constexpr std::string_view kPluginChainHeadSymbol = "ql_plugin_chain_head";

struct Resolver {
  const std::vector<coff::ObjectFile>& objects;
  const Project& project;
  Diagnostics& diagnostics;
  Resolution result;
  std::map<std::string, uint32_t> import_index;
  std::map<std::string, uint32_t> string_symbols;     // C name -> generated index
  std::map<std::string, std::string> import_symbols;  // C name -> import name
  std::set<std::string> reported;                     // undefined names already reported

  void error(std::string message) { diagnostics.error(std::move(message)); }
};

bool placeable(SectionKind kind) {
  return kind == SectionKind::kCode || kind == SectionKind::kData || kind == SectionKind::kReadOnlyData ||
         kind == SectionKind::kZeroData;
}

std::string where(const coff::ObjectFile& object, const coff::Section& section, uint32_t offset) {
  return object.name + ": " + section.name + "+" + hex(offset);
}

void check_directives(Resolver& r, const coff::ObjectFile& object, const coff::Section& section) {
  std::string text;
  for (uint8_t byte : section.data) {
    if (byte != 0) text.push_back(static_cast<char>(byte));
  }
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return;
  size_t last = text.find_last_not_of(" \t\r\n");
  r.error(object.name + ": section .drectve holds the linker directives '" +
          text.substr(first, last - first + 1) +
          "', which an application image cannot carry out; remove what produces them (dllexport or "
          "dllimport attributes, #pragma comment, common symbols: compile with -fno-common)");
}

void classify_sections(Resolver& r) {
  for (const coff::ObjectFile& object : r.objects) {
    std::vector<SectionKind>& kinds = r.result.kinds.emplace_back();
    for (const coff::Section& section : object.sections) {
      SectionClass c = classify_section(section.name);
      kinds.push_back(c.kind);
      if (c.kind == SectionKind::kReject) {
        r.error(object.name + ": section " + section.name + ": " + c.reason);
      }
      if (c.kind == SectionKind::kDirectives) check_directives(r, object, section);
    }
  }
}

// Keeps one section per COMDAT key, following each key's selection rule.
void select_comdats(Resolver& r) {
  struct Chosen {
    uint32_t object, section;
  };
  std::map<std::string, Chosen> chosen;
  std::vector<std::vector<bool>>& kept = r.result.kept;
  for (uint32_t o = 0; o < r.objects.size(); ++o) {
    const coff::ObjectFile& object = r.objects[o];
    kept.emplace_back(object.sections.size(), false);
    for (uint32_t s = 0; s < object.sections.size(); ++s) {
      const coff::Section& section = object.sections[s];
      kept[o][s] = placeable(r.result.kinds[o][s]);
      if (!kept[o][s] || !section.is_comdat() || section.comdat_selection == coff::kSelectAssociative) {
        continue;
      }
      const std::string& key = object.symbols[section.comdat_symbol].name;
      auto [it, inserted] = chosen.try_emplace(key, Chosen{o, s});
      if (inserted) continue;
      const coff::ObjectFile& first_object = r.objects[it->second.object];
      const coff::Section& first = first_object.sections[it->second.section];
      std::string both = "'" + key + "' is defined by COMDAT section " + first.name + " in " +
                         first_object.name + " and by " + section.name + " in " + object.name;
      kept[o][s] = false;
      switch (section.comdat_selection) {
        case coff::kSelectAny:
          break;
        case coff::kSelectNoDuplicates:
          r.error(both + ", and its selection allows a single definition only; define it in one object");
          break;
        case coff::kSelectSameSize:
          if (section.size != first.size) r.error(both + " with different sizes; rebuild both objects alike");
          break;
        case coff::kSelectExactMatch:
          if (section.data != first.data) {
            r.error(both + " with different contents; rebuild both objects alike");
          }
          break;
        case coff::kSelectLargest:
          if (section.size > first.size) {
            kept[it->second.object][it->second.section] = false;
            kept[o][s] = true;
            it->second = {o, s};
          }
          break;
        default:
          r.error(object.name + ": COMDAT section " + section.name + " has the unknown selection " +
                  std::to_string(section.comdat_selection));
      }
    }
  }
  // An associative section lives and dies with the section it is associated with, possibly through a chain.
  bool changed = true;
  for (size_t pass = 0; changed && pass < 64; ++pass) {
    changed = false;
    for (uint32_t o = 0; o < r.objects.size(); ++o) {
      for (uint32_t s = 0; s < r.objects[o].sections.size(); ++s) {
        const coff::Section& section = r.objects[o].sections[s];
        if (!kept[o][s] || section.comdat_selection != coff::kSelectAssociative) continue;
        if (!kept[o][section.associated_section - 1]) {
          kept[o][s] = false;
          changed = true;
        }
      }
    }
  }
}

void collect_globals(Resolver& r) {
  for (uint32_t o = 0; o < r.objects.size(); ++o) {
    const coff::ObjectFile& object = r.objects[o];
    for (uint32_t i = 0; i < object.symbols.size(); ++i) {
      const coff::Symbol& symbol = object.symbols[i];
      if (symbol.is_aux || symbol.storage_class != coff::kClassExternal || !symbol.is_defined()) continue;
      // Definitions in discarded COMDAT copies and in dropped sections do not take part.
      if (symbol.section > 0 && !r.result.kept[o][symbol.section - 1]) continue;
      std::string_view name = c_name(object.machine, symbol.name);
      if (name == kData1HeaderSymbol || name == kPluginChainHeadSymbol) {
        r.error(object.name + ": defines '" + symbol.name +
                "', a symbol that qlimage reserves for its own data; "
                "rename it");
        continue;
      }
      if (r.string_symbols.count(std::string(name)) || r.import_symbols.count(std::string(name))) {
        r.error(object.name + ": defines '" + symbol.name + "', which the project " + r.project.path +
                " also lists under [strings] or [imports]; remove one of them");
        continue;
      }
      auto [it, inserted] = r.result.globals.try_emplace(symbol.name, SymbolDefinition{o, i});
      if (!inserted) {
        const coff::ObjectFile& other = r.objects[it->second.object];
        r.error("duplicate symbol '" + symbol.name + "': defined in " + other.name + " and in " +
                object.name + "; keep one definition (or make it inline or static)");
      }
    }
  }
}

uint32_t import_for(Resolver& r, const std::string& name) {
  auto [it, inserted] = r.import_index.try_emplace(name, static_cast<uint32_t>(r.result.imports.size()));
  if (inserted) r.result.imports.push_back({name, {}});
  return it->second;
}

std::optional<Target> resolve_undefined(Resolver& r, const std::string& symbol, const std::string& at) {
  std::string name(c_name(r.result.machine, symbol));
  if (name == kData1HeaderSymbol) return Target{TargetKind::kGenerated, 0, 0, 0, kGeneratedData1Header};
  if (name == kPluginChainHeadSymbol) {
    return Target{TargetKind::kGenerated, 0, 0, 0, kGeneratedPluginChainHead};
  }
  if (auto it = r.string_symbols.find(name); it != r.string_symbols.end()) {
    return Target{TargetKind::kGenerated, 0, 0, 0, it->second};
  }
  if (auto it = r.import_symbols.find(name); it != r.import_symbols.end()) {
    return Target{TargetKind::kImport, 0, 0, 0, import_for(r, it->second)};
  }
  if (find_entry_point(name)) return Target{TargetKind::kImport, 0, 0, 0, import_for(r, name)};
  if (symbol.starts_with("__imp_") && r.reported.insert(symbol).second) {
    r.error(at + ": undefined symbol '" + symbol +
            "': this is how a routine declared __declspec(dllimport) is reached, through a pointer; compiled "
            "code calls entry points directly, so drop the dllimport declaration");
    return std::nullopt;
  }
  if (r.reported.insert(symbol).second) {
    r.error(
        at + ": undefined symbol '" + symbol +
        "': no input object defines it, it is not an entry point of the runtime, and the project lists it "
        "neither under [strings] nor under [imports]; define it, add the object that defines it, or list "
        "it in the project");
  }
  return std::nullopt;
}

std::optional<Target> resolve(Resolver& r, uint32_t o, uint32_t i, const std::string& at, int depth = 0) {
  if (r.result.resolved[o][i]) return r.result.targets[o][i];
  const coff::ObjectFile& object = r.objects[o];
  const coff::Symbol& symbol = object.symbols[i];
  std::optional<Target> target;
  if (symbol.section > 0 && r.result.kept[o][symbol.section - 1]) {
    target = Target{TargetKind::kSection, o, static_cast<uint32_t>(symbol.section - 1), symbol.value, 0};
  } else if (symbol.section == coff::kSymAbsolute) {
    target = Target{TargetKind::kAbsolute, 0, 0, symbol.value, 0};
  } else if (auto it = r.result.globals.find(symbol.name);
             symbol.is_external() && it != r.result.globals.end()) {
    target = resolve(r, it->second.object, it->second.symbol, at, depth + 1);
  } else if (symbol.section > 0 || symbol.section == coff::kSymDebug) {
    std::string section = symbol.section > 0 ? object.sections[symbol.section - 1].name : "debug information";
    r.error(at + ": refers to '" + symbol.name + "' in " + section +
            ", which is not placed in the image (a dropped section or a discarded duplicate COMDAT copy)");
  } else if (symbol.storage_class == coff::kClassWeakExternal && symbol.weak_default != coff::kNoSymbol &&
             depth < 8) {
    target = resolve(r, o, symbol.weak_default, at, depth + 1);
  } else if (symbol.storage_class == coff::kClassExternal && symbol.value != 0) {
    r.error(at + ": '" + symbol.name +
            "' is a common symbol (a tentative definition without storage); compile "
            "with -fno-common");
  } else {
    target = resolve_undefined(r, symbol.name, at);
  }
  if (target) {
    r.result.targets[o][i] = *target;
    r.result.resolved[o][i] = true;
  }
  return target;
}

void resolve_relocations(Resolver& r) {
  for (uint32_t o = 0; o < r.objects.size(); ++o) {
    const coff::ObjectFile& object = r.objects[o];
    r.result.targets.emplace_back(object.symbols.size());
    r.result.resolved.emplace_back(object.symbols.size(), false);
  }
  for (uint32_t o = 0; o < r.objects.size(); ++o) {
    const coff::ObjectFile& object = r.objects[o];
    for (uint32_t s = 0; s < object.sections.size(); ++s) {
      if (!r.result.kept[o][s]) continue;
      const coff::Section& section = object.sections[s];
      for (const coff::Relocation& reloc : section.relocations) {
        if (!r.result.resolved[o][reloc.symbol]) {
          resolve(r, o, reloc.symbol, where(object, section, reloc.offset));
        }
      }
    }
  }
}

void resolve_entry(Resolver& r, std::string_view entry) {
  if (entry.empty()) {
    r.error(
        "no entry routine: give --entry SYMBOL, or entry = \"SYMBOL\" under [application] in the project");
    return;
  }
  std::vector<std::string> candidates;
  if (r.result.machine == coff::kMachineI386) candidates.push_back("_" + std::string(entry));
  candidates.emplace_back(entry);
  for (const std::string& name : candidates) {
    auto it = r.result.globals.find(name);
    if (it == r.result.globals.end()) continue;
    const coff::Symbol& symbol = r.objects[it->second.object].symbols[it->second.symbol];
    if (symbol.section <= 0 || r.result.kinds[it->second.object][symbol.section - 1] != SectionKind::kCode) {
      r.error("the entry routine '" + std::string(entry) + "' is defined in " +
              r.objects[it->second.object].name + " outside the code sections; it must name a function");
      return;
    }
    r.result.entry = Target{TargetKind::kSection, it->second.object,
                            static_cast<uint32_t>(symbol.section - 1), symbol.value, 0};
    return;
  }
  r.error("the entry routine '" + std::string(entry) +
          "' is not defined by any input object; define it as an "
          "extern \"C\" function, or give its mangled name");
}

}  // namespace

std::string_view c_name(uint16_t machine, std::string_view symbol) {
  if (machine == coff::kMachineI386 && symbol.starts_with('_')) symbol.remove_prefix(1);
  return symbol;
}

std::optional<Resolution> resolve_symbols(const std::vector<coff::ObjectFile>& objects,
                                          const Project& project, std::string_view entry,
                                          Diagnostics& diagnostics) {
  Resolver r{objects, project, diagnostics, {}, {}, {}, {}, {}};
  size_t errors_before = diagnostics.errors.size();
  r.result.machine = objects.empty() ? coff::kMachineAmd64 : objects[0].machine;
  r.result.generated.push_back({GeneratedKind::kData1Header, std::string(kData1HeaderSymbol)});
  r.result.generated.push_back({GeneratedKind::kPluginChainHead, std::string(kPluginChainHeadSymbol)});
  for (uint32_t k = 0; k < project.strings.size(); ++k) {
    r.string_symbols[project.strings[k].symbol] = static_cast<uint32_t>(r.result.generated.size());
    r.result.generated.push_back({GeneratedKind::kString, project.strings[k].symbol, k});
  }
  for (const ImportedSymbol& import : project.imports) r.import_symbols[import.symbol] = import.name;

  classify_sections(r);
  select_comdats(r);
  collect_globals(r);
  resolve_relocations(r);
  resolve_entry(r, entry);
  if (diagnostics.errors.size() != errors_before) return std::nullopt;
  return std::move(r.result);
}

}  // namespace qlimage
