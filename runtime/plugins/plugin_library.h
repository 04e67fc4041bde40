// Loading a plug-in DLL by its full path, never through the library search path.
#pragma once

#include <string>

#include "quillet/plugin_records.h"

namespace ql {

// The entry "QUILPluginMain" of the DLL at that full path; null when it does not load or lacks the entry
// (the DLL is then unloaded again). A loaded plug-in stays loaded for the life of the process.
QlPluginMain load_plugin_entry(const std::string& full_path);

}  // namespace ql
