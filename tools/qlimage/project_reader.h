// Reads the project description (TOML). Unknown keys and ill-typed values are errors naming the file, the
// line and the key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "qlimage/diagnostics.h"
#include "qlimage/project.h"

namespace qlimage {

std::optional<Project> read_project(const std::string& path, std::string_view text, Diagnostics& diagnostics);

}  // namespace qlimage
