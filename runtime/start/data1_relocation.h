// Applying data2's relocation words to data1.
#pragma once

#include <stdint.h>

#include <string>

namespace ql::image {

// Adds code1's or data1's load address to the 32-bit words that data2's runs name. A run that would reach
// past the end of data1 fails with error set and leaves the words before it relocated; skips may run past
// the end as long as no run follows.
bool relocate_data1(const uint8_t* data2, uint32_t data2_length, uint8_t* data1, uint32_t data1_length,
                    uint32_t code1_address, uint32_t data1_address, std::string& error);

}  // namespace ql::image
