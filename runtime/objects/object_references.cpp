// References to objects. An object starts with its header {reference count, class, previous, next}.
#include "quillet/objects.h"

#include "objects/object.h"

QL_API void RuntimeLockObject(QlObject* object) {
  if (object) ++ql::object_header(object)->count;
}
