// Where the loaded image's data lies, so that descriptions compiled code points at are read only from
// inside it.
#pragma once

#include <stdint.h>

namespace ql {

void set_image_data(const uint8_t* data1, uint32_t length);
// The bytes [at, at + n) when they lie inside the image's data, else null.
const uint8_t* image_bytes(const void* at, uint32_t n);

}  // namespace ql
