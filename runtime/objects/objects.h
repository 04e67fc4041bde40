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
// Releasing an object whose count is already 0 stops the program: the memory may already be reused.
QlObject* new_object(ClassObject* cls);
void retain_object(QlObject* object);     // nil: nothing
void release_object(QlObject* object);    // nil: nothing
ClassObject* class_of(QlObject* object);  // nil: null

// Bytes an instance of cls occupies: its instance size in whole words, never less than the root's.
int32_t instance_bytes(const ClassObject* cls);

// The live-object list, newest first, and its length.
QlObject* first_live_object();
QlObject* next_live_object(QlObject* object);
int32_t live_object_count();

// Classes. builtin_class finds a class of the registry by name (ignoring case); class_at_index reads the
// class array built from the image (null outside it).
ClassObject* builtin_class(std::string_view name);
ClassObject* class_at_index(int32_t index);
int32_t class_count();
bool class_isa(const ClassObject* cls, const ClassObject* target);  // null cls: false
bool object_isa(QlObject* object, const ClassObject* target);       // nil: false

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

// Boolean handlers are compiled as returning bool, which defines only the low byte of the result register.
template <typename... Args>
bool fire_boolean_event(QlObject* object, const EventDefinition& event, Args... args) {
  uintptr_t code = find_event_handler(object, event);
  if (!code) return false;
  return reinterpret_cast<bool (*)(QlObject*, Args...)>(code)(object, args...);
}

// The first hook with that key, searching the class and then its superclasses; 0 when none.
uintptr_t find_hook_code(const ClassObject* cls, uint32_t key);

}  // namespace ql
