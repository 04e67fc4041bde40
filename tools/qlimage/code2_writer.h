// code2: the data fixup records, then one import record per name whose call sites are threaded into a chain
// through their displacement fields in code1.
#pragma once

#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/link_model.h"

namespace qlimage {

// Writes the chain links into code1 and returns code2. Every import name must be at most 255 bytes.
Bytes write_code2(Bytes& code1, std::vector<uint32_t> fixups, std::vector<Import> imports);

}  // namespace qlimage
