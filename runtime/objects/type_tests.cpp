// IsA, casts, and the use of nil.
#include "objects/class_array.h"
#include "objects/class_object.h"
#include "objects/exceptions.h"
#include "objects/objects.h"
#include "quillet/objects.h"

namespace ql {

bool class_isa(const ClassObject* cls, const ClassObject* target) {
  if (!target) return false;
  for (; cls; cls = cls->superclass) {
    if (!target->is_interface) {
      if (cls == target) return true;
      continue;
    }
    for (const InterfaceEntry& entry : cls->interfaces) {
      if (entry.interface_class == target) return true;
    }
  }
  return false;
}

bool object_isa(QlObject* object, const ClassObject* target) {
  return object && class_isa(class_of(object), target);
}

}  // namespace ql

QL_API bool RuntimeObjectIsa(QlObject* object, int32_t class_index) {
  const ql::ClassObject* target = ql::class_at_index_or_stop("RuntimeObjectIsa", class_index);
  return ql::object_isa(object, target);
}

QL_API QlObject* RuntimeCheckCast(QlObject* object, int32_t class_index) {
  const ql::ClassObject* target = ql::class_at_index_or_stop("RuntimeCheckCast", class_index);
  if (object && !ql::object_isa(object, target)) ql::raise_new_exception("IllegalCastException");
  return object;
}

QL_API void RuntimeNilObject(void) { ql::raise_new_exception("NilObjectException"); }
