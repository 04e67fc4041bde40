// Quitting: every window asked through CancelClose, the application's Close, every window closed.
#pragma once

namespace ql {

// False when a window refused; otherwise the windows are closed and the quit flag is set.
bool quit_application();

}  // namespace ql
