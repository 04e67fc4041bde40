// Reads the project's [[pictures]], [[sounds]], [[implicit_instances]] and [[plugins]]. Item numbers and
// names are checked when linking; the files they name are read by load_project_files.
#pragma once

#include <toml++/toml.h>

#include "qlimage/project.h"
#include "qlimage/toml_reading.h"

namespace qlimage {

void read_items(TomlContext& c, const toml::table& root, Project& project);
void read_plugins(TomlContext& c, const toml::table& root, Project& project);

}  // namespace qlimage
