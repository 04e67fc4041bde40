// Reads the project's [[classes]]: the class list in class-index order. Checks what the file alone can
// show (keys, types, required fields); names and symbols are bound when linking.
#pragma once

#include <toml++/toml.h>

#include "qlimage/project.h"
#include "qlimage/toml_reading.h"

namespace qlimage {

void read_classes(TomlContext& c, const toml::node& classes, Project& project);

// The hooks and size of a class made for a single control, read as [[classes]] entries read them.
void read_control_class(TomlContext& c, const toml::table& table, const std::string& where,
                        ControlDescription& out);

}  // namespace qlimage
