// data2: the relocation words for data1 as compact runs. Skip words move the cursor over bytes that stay as
// they are; run words relocate up to 512 consecutive 32-bit words of one kind.
#pragma once

#include <optional>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/diagnostics.h"
#include "qlimage/link_model.h"

namespace qlimage {

// The words may come in any order; overlapping words or words past data1's end are errors.
std::optional<Bytes> write_data2(std::vector<DataWord> words, uint32_t data1_size, Diagnostics& diagnostics);

}  // namespace qlimage
