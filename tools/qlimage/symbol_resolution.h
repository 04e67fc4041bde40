// Chooses the sections that go into the image (one definition per COMDAT key), builds the global symbol
// table, and decides for every symbol that a relocation uses what it stands for: a placed section, an
// import, or data that qlimage generates.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "qlimage/coff.h"
#include "qlimage/diagnostics.h"
#include "qlimage/link_model.h"
#include "qlimage/project.h"

namespace qlimage {

std::optional<Resolution> resolve_symbols(const std::vector<coff::ObjectFile>& objects,
                                          const Project& project, std::string_view entry,
                                          Diagnostics& diagnostics);

// The definition of a C name (the target's decoration added, or the name as it is, for mangled names);
// kind kSection or kAbsolute, with index the symbol's index in its object.
std::optional<SymbolTarget> find_global(const Resolution& resolution, std::string_view c_name);

}  // namespace qlimage
