// The object model as the rest of the runtime uses it: creating, referencing and testing objects, finding
// classes, and firing events. Class objects themselves are described in objects/class_object.h.
#pragma once

#include <stdint.h>

#include <string_view>

#include "objects/object.h"
#include "quillet/types.h"

namespace ql {

struct ClassObject;
struct EventDefinition;

// Creating and referencing. new_object runs the constructors root first and links the object into the
// live-object list; release_object destroys it (destructors most-derived first) when the count was 1.
QlObject* new_object(ClassObject* cls);
void retain_object(QlObject* object);
void release_object(QlObject* object);
ClassObject* class_of(QlObject* object);

// Classes. builtin_class finds a class of the registry by name (ignoring case); class_at_index reads the
// class array built from the image (null outside it).
ClassObject* builtin_class(std::string_view name);
ClassObject* class_at_index(int32_t index);
int32_t class_count();
bool class_isa(const ClassObject* cls, const ClassObject* target);
bool object_isa(QlObject* object, const ClassObject* target);  // nil: false

// Events. The handler that runs for event on object, or 0 when none.
uintptr_t find_event_handler(QlObject* object, const EventDefinition& event);

// Fires event on object: calls the handler with the object first, then args; answers its result, or 0 when
// no handler exists. A Boolean event counts as true when the result is non-zero.
template <typename... Args>
intptr_t fire_event(QlObject* object, const EventDefinition& event, Args... args) {
  uintptr_t code = find_event_handler(object, event);
  if (!code) return 0;
  return reinterpret_cast<intptr_t (*)(QlObject*, Args...)>(code)(object, args...);
}

template <typename... Args>
bool fire_boolean_event(QlObject* object, const EventDefinition& event, Args... args) {
  return fire_event(object, event, args...) != 0;
}

}  // namespace ql
