// The loaded image's data range.
#include "app/image_data.h"

namespace ql {

namespace {
const uint8_t* data_begin = nullptr;
uint32_t data_length = 0;
}  // namespace

void set_image_data(const uint8_t* data1, uint32_t length) {
  data_begin = data1;
  data_length = length;
}

const uint8_t* image_bytes(const void* at, uint32_t n) {
  auto* p = static_cast<const uint8_t*>(at);
  if (!data_begin || p < data_begin) return nullptr;
  uint64_t offset = static_cast<uint64_t>(p - data_begin);
  if (offset > data_length || data_length - offset < n) return nullptr;
  return p;
}

}  // namespace ql
