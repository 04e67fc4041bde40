// The header every object starts with, and the layouts of the built-in classes that have no fields of
// their own beyond the root's.
#pragma once

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

struct ClassObject;

struct ObjectHeader {
  int32_t count;
  ClassObject* object_class;
  QlObject* previous;  // toward the head of the live-object list
  QlObject* next;      // toward its tail
};

// The root class Object: the header and two words that the runtime's subclasses use (a control keeps its
// window and its control-array index there).
struct ObjectBase {
  ObjectHeader header;
  uintptr_t subclass_words[2];
};

// RuntimeException and its subclasses carry nothing beyond the root.
struct ExceptionObject {
  ObjectBase base;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ObjectHeader) == 16, "the object header is 16 bytes on 32-bit targets");
static_assert(sizeof(ObjectBase) == 24, "Object instances are 24 bytes on 32-bit targets");
static_assert(sizeof(ExceptionObject) == 24, "exception instances are 24 bytes on 32-bit targets");
#endif

// Compiled code sees the same layouts through the SDK.
static_assert(sizeof(ObjectBase) == sizeof(QlObjectBase), "the SDK's object layout matches the runtime's");

inline ObjectHeader* object_header(QlObject* object) { return reinterpret_cast<ObjectHeader*>(object); }
inline const ObjectHeader* object_header(const QlObject* object) {
  return reinterpret_cast<const ObjectHeader*>(object);
}

}  // namespace ql
