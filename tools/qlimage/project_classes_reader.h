// Reads the project's [[classes]]: the class list in class-index order. Checks what the file alone can
// show (keys, types, required fields); names and symbols are bound when linking.
#pragma once

#include <toml++/toml.h>

#include "qlimage/project.h"
#include "qlimage/toml_reading.h"

namespace qlimage {

void read_classes(TomlContext& c, const toml::node& classes, Project& project);

}  // namespace qlimage
