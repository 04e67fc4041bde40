// Which plug-in file names the host writes: a plain name of a file in one folder, nothing that could reach
// another folder or a device.
#pragma once

#include <string_view>

namespace ql {

// False for an empty name, one with a path separator, a drive or stream colon, a character that file names
// cannot hold, a name of dots alone, a trailing dot or blank, and the reserved device names (CON, PRN, AUX,
// NUL, COM0 to COM9, LPT0 to LPT9, CLOCK$, CONIN$, CONOUT$), with or without an extension and in any case.
bool plain_file_name(std::string_view name);

}  // namespace ql
