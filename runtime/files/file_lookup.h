// "Exists" as folder items mean it: a directory search on the item's path finds an entry, whose data the
// properties then use.
#pragma once

#include <string>

#include "platform/platform.h"

namespace ql {

// False for paths the system cannot be asked about: empty ones, ones holding NUL bytes, and ones holding
// wildcards, which would let the search answer for some other file. A folder path that ends with a
// backslash is looked up without it, since a search never matches a trailing backslash.
bool look_up(const std::string& path, platform::FileEntry& entry);

// True for a drive (two characters ending in ":") without asking the disk; otherwise an existing folder.
bool is_directory_path(const std::string& path);

}  // namespace ql
