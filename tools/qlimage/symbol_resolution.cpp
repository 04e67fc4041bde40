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
  std::map<std::string, uint32_t> generated_symbols;  // C name -> generated index
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
    LinkObject& linked = r.result.objects.emplace_back();
    linked.file = &object;
    linked.symbols.resize(object.symbols.size());
    for (const coff::Section& section : object.sections) {
      SectionClass c = classify_section(section.name);
      linked.sections.push_back({c.kind, placeable(c.kind), 0});
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
  auto kept = [&r](uint32_t o, uint32_t s) -> bool& { return r.result.objects[o].sections[s].kept; };
  for (uint32_t o = 0; o < r.objects.size(); ++o) {
    const coff::ObjectFile& object = r.objects[o];
    for (uint32_t s = 0; s < object.sections.size(); ++s) {
      const coff::Section& section = object.sections[s];
      if (!kept(o, s) || !section.is_comdat() || section.comdat_selection == coff::kSelectAssociative) {
        continue;
      }
      const std::string& key = object.symbols[section.comdat_symbol].name;
      auto [it, inserted] = chosen.try_emplace(key, Chosen{o, s});
      if (inserted) continue;
      const coff::ObjectFile& first_object = r.objects[it->second.object];
      const coff::Section& first = first_object.sections[it->second.section];
      std::string both = "'" + key + "' is defined by COMDAT section " + first.name + " in " +
                         first_object.name + " and by " + section.name + " in " + object.name;
      kept(o, s) = false;
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
            kept(it->second.object, it->second.section) = false;
            kept(o, s) = true;
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
        if (!kept(o, s) || section.comdat_selection != coff::kSelectAssociative) continue;
        if (!kept(o, section.associated_section - 1)) {
          kept(o, s) = false;
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
      if (symbol.section > 0 && !r.result.objects[o].sections[symbol.section - 1].kept) continue;
      std::string_view name = r.result.target->c_name(symbol.name);
      if (name == kData1HeaderSymbol || name == kPluginChainHeadSymbol) {
        r.error(object.name + ": defines '" + symbol.name +
                "', a symbol that qlimage reserves for its own data; "
                "rename it");
        continue;
      }
      if (r.generated_symbols.count(std::string(name)) || r.import_symbols.count(std::string(name))) {
        r.error(object.name + ": defines '" + symbol.name + "', which the project " + r.project.path +
                " also lists under [strings] or [imports] (or as a window's symbol); remove one of them");
        continue;
      }
      SymbolTarget definition{SymbolKind::kSection, o, static_cast<uint32_t>(symbol.section - 1),
                              symbol.value, i};
      if (symbol.section == coff::kSymAbsolute) definition = {SymbolKind::kAbsolute, o, 0, symbol.value, i};
      auto [it, inserted] = r.result.globals.try_emplace(symbol.name, definition);
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

std::optional<SymbolTarget> resolve_undefined(Resolver& r, const std::string& symbol, const std::string& at) {
  std::string name(r.result.target->c_name(symbol));
  if (auto it = r.generated_symbols.find(name); it != r.generated_symbols.end()) {
    return SymbolTarget{SymbolKind::kGenerated, 0, 0, 0, it->second};
  }
  if (auto it = r.import_symbols.find(name); it != r.import_symbols.end()) {
    return SymbolTarget{SymbolKind::kImport, 0, 0, 0, import_for(r, it->second)};
  }
  if (find_entry_point(name)) return SymbolTarget{SymbolKind::kImport, 0, 0, 0, import_for(r, name)};
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
        "neither under [strings] nor under [imports] nor as a window's symbol; define it, add the object "
        "that defines it, or list it in the project");
  }
  return std::nullopt;
}

std::optional<SymbolTarget> resolve(Resolver& r, uint32_t o, uint32_t i, const std::string& at,
                                    int depth = 0) {
  std::optional<SymbolTarget>& known = r.result.objects[o].symbols[i];
  if (known) return known;
  const coff::ObjectFile& object = r.objects[o];
  const coff::Symbol& symbol = object.symbols[i];
  std::optional<SymbolTarget> target;
  if (symbol.section > 0 && r.result.objects[o].sections[symbol.section - 1].kept) {
    target =
        SymbolTarget{SymbolKind::kSection, o, static_cast<uint32_t>(symbol.section - 1), symbol.value, 0};
  } else if (symbol.section == coff::kSymAbsolute) {
    target = SymbolTarget{SymbolKind::kAbsolute, 0, 0, symbol.value, 0};
  } else if (auto it = r.result.globals.find(symbol.name);
             symbol.is_external() && it != r.result.globals.end()) {
    target = resolve(r, it->second.object, it->second.index, at, depth + 1);
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
  r.result.objects[o].symbols[i] = target;
  return target;
}

void resolve_relocations(Resolver& r) {
  for (uint32_t o = 0; o < r.objects.size(); ++o) {
    const coff::ObjectFile& object = r.objects[o];
    for (uint32_t s = 0; s < object.sections.size(); ++s) {
      if (!r.result.objects[o].sections[s].kept) continue;
      const coff::Section& section = object.sections[s];
      for (const coff::Relocation& reloc : section.relocations) {
        if (!r.result.objects[o].symbols[reloc.symbol]) {
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
  if (std::optional<SymbolTarget> found = find_global(r.result, entry)) {
    if (!r.result.is_code(*found)) {
      r.error("the entry routine '" + std::string(entry) + "' is defined in " +
              r.objects[found->object].name + " outside the code sections; it must name a function");
      return;
    }
    r.result.entry = *found;
    return;
  }
  r.error("the entry routine '" + std::string(entry) +
          "' is not defined by any input object; define it as an "
          "extern \"C\" function, or give its mangled name");
}

void add_generated(Resolver& r, GeneratedKind kind, const std::string& name) {
  auto [it, inserted] =
      r.generated_symbols.try_emplace(name, static_cast<uint32_t>(r.result.generated.size()));
  if (!inserted) {
    r.error(r.project.path + ": the symbol '" + name +
            "' is defined twice by the project (as a string constant or a window's symbol); give each its "
            "own name");
    return;
  }
  r.result.generated.push_back({kind, name, 0, 0});
}

}  // namespace

std::optional<SymbolTarget> find_global(const Resolution& resolution, std::string_view c_name) {
  for (const std::string& name : {resolution.target->decorated(c_name), std::string(c_name)}) {
    auto it = resolution.globals.find(name);
    if (it != resolution.globals.end()) return it->second;
  }
  return std::nullopt;
}

std::optional<Resolution> resolve_symbols(const std::vector<coff::ObjectFile>& objects,
                                          const Project& project, std::string_view entry,
                                          Diagnostics& diagnostics) {
  Resolver r{objects, project, diagnostics, {}, {}, {}, {}, {}};
  size_t errors_before = diagnostics.errors.size();
  r.result.target = target_for_machine(objects.empty() ? coff::kMachineAmd64 : objects[0].machine);
  add_generated(r, GeneratedKind::kData1Header, std::string(kData1HeaderSymbol));
  add_generated(r, GeneratedKind::kPluginChainHead, std::string(kPluginChainHeadSymbol));
  for (const StringConstant& constant : project.strings)
    add_generated(r, GeneratedKind::kString, constant.symbol);
  for (const WindowDescription& window : project.windows)
    add_generated(r, GeneratedKind::kWindow, window.symbol);
  for (const ImportedSymbol& import : project.imports) {
    if (r.generated_symbols.count(import.symbol)) {
      r.error(project.path + ": symbol '" + import.symbol +
              "' is listed under [imports] and defined by the project as a string constant or a window's "
              "symbol; keep one");
    }
    r.import_symbols[import.symbol] = import.name;
  }

  classify_sections(r);
  select_comdats(r);
  collect_globals(r);
  resolve_relocations(r);
  resolve_entry(r, entry);
  if (diagnostics.errors.size() != errors_before) return std::nullopt;
  return std::move(r.result);
}

}  // namespace qlimage
