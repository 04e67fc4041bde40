// Places the chosen sections in code1 and data1 and appends qlimage's own data behind them:
// code1 = the code sections; data1 = the header words, writable data, read-only data, zero-filled data, the
// plug-in chain head word, string constants, class names and descriptors, project items, and the project
// table last.
#pragma once

#include <optional>
#include <vector>

#include "qlimage/coff.h"
#include "qlimage/diagnostics.h"
#include "qlimage/link_model.h"
#include "qlimage/project.h"

namespace qlimage {

std::optional<Layout> lay_out(const std::vector<coff::ObjectFile>& objects, const Resolution& resolution,
                              const Project& project, Diagnostics& diagnostics);

}  // namespace qlimage
