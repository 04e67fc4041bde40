// The step of runtime initialisation that installs the plug-ins stored in the image.
#pragma once

#include <vector>

#include "image/plugin_chain.h"

namespace ql {

void install_plugins(const std::vector<image::StoredPlugin>& plugins);

}  // namespace ql
