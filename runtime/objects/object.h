// The header every object starts with.
#pragma once

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

struct ObjectHeader {
  int32_t count;
  void* object_class;
  QlObject* previous;
  QlObject* next;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ObjectHeader) == 16, "the object header is 16 bytes on 32-bit targets");
#endif

inline ObjectHeader* object_header(QlObject* object) { return reinterpret_cast<ObjectHeader*>(object); }

}  // namespace ql
