// The step of runtime initialisation that installs the plug-ins stored in the image.
#pragma once

#include <vector>

#include "image/plugin_chain.h"
#include "plugins/plugin_host.h"

namespace ql {

// Writes out and loads every stored plug-in, in chain order, runs its entry, then completes the classes
// the plug-ins registered. lookup answers the entry points the resolver hands out.
void install_plugins(const std::vector<image::StoredPlugin>& plugins, EntryPointLookup lookup);

}  // namespace ql
