// Entry points that create objects and move their references.
#include "objects/class_array.h"
#include "objects/objects.h"
#include "quillet/objects.h"

QL_API QlObject* RuntimeLockObject(QlObject* object) {
  ql::retain_object(object);
  return object;
}

QL_API void RuntimeUnlockObject(QlObject* object) { ql::release_object(object); }

QL_API QlObject* RuntimeNewObject(int32_t class_index) {
  return ql::new_object(ql::class_at_index_or_stop("RuntimeNewObject", class_index));
}
