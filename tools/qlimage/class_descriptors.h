// Writes the class descriptors into data1: first one string constant per distinct name, then the
// descriptors. Name pointers are relocated by data1's load address, code addresses by code1's.
#pragma once

#include <stdint.h>

#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/link_model.h"

namespace qlimage {

// Returns the data1 offsets of the descriptors in class-index order, for the project table.
// `section_offset` is the layout's [object][section] placement, which turns code targets into code1 offsets.
std::vector<uint32_t> append_class_descriptors(Bytes& data1, const BoundClasses& classes,
                                               const std::vector<std::vector<uint32_t>>& section_offset,
                                               uint16_t machine, std::vector<DataWord>& words);

}  // namespace qlimage
