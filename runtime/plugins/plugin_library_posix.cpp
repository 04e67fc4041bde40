// Host builds load no plug-in DLLs: every stored plug-in is skipped there, as one that does not load is.
#include "plugins/plugin_library.h"

namespace ql {

QlPluginMain load_plugin_entry(const std::string&) { return nullptr; }

}  // namespace ql
