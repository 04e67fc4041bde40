// Host builds have no panes: a plug-in control there is an instance without one.
#include "plugins/plugin_panes.h"

namespace ql {

void create_plugin_pane(QlObject*) {}
void invalidate_plugin_instance(QlObject*) {}
void close_plugin_pane(QlObject*) {}
void forget_plugin_instance(QlObject*) {}

}  // namespace ql
