// The driver's side of ql_driver_probe.dll: loads it into a program under test on first use (a remote
// LoadLibraryW), runs its menu reader there as a short remote thread, and hooks the program's GUI threads so
// that a marked WM_NULL tells whether a thread has handled all its queued input, posted messages and
// painting. Where the system lets menus be read from outside (Windows), menus are read directly.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "driver_probe_protocol.h"

namespace ql::driver {

// Fills block for (window, menu); returns "" or what went wrong, saying what to do about it.
std::string read_menu(HWND window, HMENU menu, MenuProbeBlock& block);

// Whether the thread owning the window had nothing pending when it received the marked WM_NULL; nothing when
// it did not answer within timeout_ms or the probe cannot be used in its process (then callers fall back to
// watching).
std::optional<bool> queue_drained(HWND window, DWORD timeout_ms);

}  // namespace ql::driver
