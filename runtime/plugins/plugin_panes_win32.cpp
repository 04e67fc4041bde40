// Panes of plug-in controls: made by the CreatePane hook, redrawn after direct sets, and closed and
// detached when the instance is destroyed.
#include "plugins/plugin_pane.h"
#include "plugins/plugin_panes.h"
#include "ui/controls/control_object.h"

namespace ql {

void create_plugin_pane(QlObject* control) {
  const PluginControl* registration = plugin_control_of(control);
  if (!registration || (registration->flags & QL_PLUGIN_INVISIBLE) || as_control_fields(control)->pane)
    return;
  WindowPane* window = control_window_pane(control);
  if (!window) return;
  auto* pane = new PluginPane(control, window, *registration);  // the control owns it from here
  pane->open();
}

void invalidate_plugin_instance(QlObject* instance) {
  if (PluginPane* pane = plugin_pane_of(instance)) pane->invalidate();
}

void close_plugin_pane(QlObject* instance) {
  PluginPane* pane = plugin_pane_of(instance);
  if (pane && !pane->closed) pane->close();
}

void forget_plugin_instance(QlObject* instance) {
  if (PluginPane* pane = plugin_pane_of(instance)) pane->forget_instance();
}

}  // namespace ql
