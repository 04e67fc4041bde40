// Whether memory can be read, on Win32, for the frame walk.
#include <windows.h>

#include "platform/platform.h"

namespace ql::platform {

bool is_readable(const void* p, size_t n) { return p != nullptr && !IsBadReadPtr(p, n); }

}  // namespace ql::platform
