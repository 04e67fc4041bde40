// The built-in classes, registered by name at start-up from the one list of them. Each gets its instance
// size from the 32-bit layout (twice that with 8-byte pointers, since every word may be a pointer) until its
// layer defines its struct and calls define_builtin_class again.

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/layouts.h"

namespace ql {

namespace {

// Classes whose layer defines their struct are defined again by that layer with its exact size.
int32_t builtin_size(const QlBuiltinClassRow& row) {
  return static_cast<int32_t>(QL_INSTANCE_BYTES(row.size32));
}

// The interfaces that window building calls into, each with the one method it calls.
void define_interface(const char* name, const char* method) {
  ClassObject* cls = builtin_class(name);
  cls->is_interface = true;
  if (!find_method(cls, method)) cls->methods.push_back({method, 0, 0});
}

}  // namespace

void define_object_classes() {
  for (const QlBuiltinClassRow& row : kQlBuiltinClasses)
    define_builtin_class(row.name, nullptr, builtin_size(row));
  for (const QlBuiltinClassRow& row : kQlBuiltinClasses) {
    if (*row.superclass) builtin_class(row.name)->superclass = builtin_class(row.superclass);
  }

  define_interface("bindingInterface", "bind");
  define_interface("bindingPartInterface", "getBoundPart");
}

}  // namespace ql
