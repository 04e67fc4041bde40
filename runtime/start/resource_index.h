// The resource index (data3) that a few classes read from the program file.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

namespace ql {

// The open file and absolute offset of resource number's data; false when the number is 0 or less or past
// the count, the image has no index, or the file cannot be opened. The file stays open for later lookups.
bool resource_lookup(int32_t number, platform::FileHandle& file, int64_t& offset);

// The same lookup in an index that starts at base in an open file.
bool lookup_in_index(platform::FileHandle file, int64_t base, int32_t number, int64_t& offset);

}  // namespace ql
