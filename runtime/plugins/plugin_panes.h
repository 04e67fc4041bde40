// What plug-in controls need of panes. Only the Windows targets have panes; on the host a plug-in control
// is an instance without one.
#pragma once

#include "quillet/types.h"

namespace ql {

struct PluginControl;

// The CreatePane hook of a visible plug-in control: makes its pane (none when the control has no window).
void create_plugin_pane(QlObject* control);

// Redraws the control's pane, if it has one.
void invalidate_plugin_instance(QlObject* instance);

// Destroying an instance: a pane that is not closed yet is closed before the plug-in's destructor runs,
// and forgets the instance after it.
void close_plugin_pane(QlObject* instance);
void forget_plugin_instance(QlObject* instance);

}  // namespace ql
