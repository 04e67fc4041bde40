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

// The C name of a symbol: i386 objects prefix C names with an underscore.
std::string_view c_name(uint16_t machine, std::string_view symbol);

}  // namespace qlimage
