// The plug-in host is not built yet: stored plug-ins are not installed.
#include "plugins/plugin_steps.h"

namespace ql {

void install_plugins(const std::vector<image::StoredPlugin>&) {}

}  // namespace ql
