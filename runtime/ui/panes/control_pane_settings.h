// The panes of controls: after a control's CreatePane made one, it takes the control's settings.
#pragma once

#include "quillet/types.h"

namespace ql {

// Copies the control's font into its pane, and hides or disables the pane as the control says.
void settle_control_pane(QlObject* control);
// Only the font, for a pane that needs it while it makes its platform window.
void copy_control_font(QlObject* control);

}  // namespace ql
