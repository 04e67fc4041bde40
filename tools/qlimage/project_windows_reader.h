// Reads the project's [[windows]] with their controls and bindings, and the [[menus]] of the menu bar.
// Checks what the file alone can show; class names and code symbols are bound when linking.
#pragma once

#include <toml++/toml.h>

#include "qlimage/project.h"
#include "qlimage/toml_reading.h"

namespace qlimage {

void read_windows(TomlContext& c, const toml::table& root, Project& project);
void read_menus(TomlContext& c, const toml::table& root, Project& project);

}  // namespace qlimage
