// Drag and drop onto top-level windows: an OLE drop target per window that accepts text and files when the
// window or one of its panes declared it takes them, and a queue of drops the event loop delivers.
#pragma once

#include <windows.h>

#include <ole2.h>

#include "quillet/types.h"

namespace ql {

class WindowPane;

IDropTarget* register_drop_target(WindowPane* window);
void revoke_drop_target(WindowPane* window);

}  // namespace ql
