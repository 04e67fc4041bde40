// A window's keyboard handling of its buttons and focus: Return pushes the default button (or the push
// button with the focus), Escape the cancel button, Tab moves the focus; and the default-button display,
// which follows the focus.
#pragma once

#include <stdint.h>

namespace ql {

class Pane;
class WindowPane;

// True when the window took the key.
bool handle_window_key(WindowPane* window, int32_t key);

// The button the focus is on looks default; with the focus elsewhere (focus may be null), the window's
// default button does.
void update_default_buttons(WindowPane* window, Pane* focus);

}  // namespace ql
