// Creating and destroying objects, and the list of live objects.
#include <string.h>

#include "objects/class_object.h"
#include "objects/object_faults.h"
#include "objects/objects.h"
#include "values/fatal.h"
#include "values/pool.h"

namespace ql {

namespace {

// The count while the destructors run: references they take and give back cannot bring it to 0 again and
// destroy the object twice.
constexpr int32_t kDyingCount = 0x40000000;

struct LiveList {
  QlObject* head = nullptr;
  int32_t count = 0;
};
LiveList live;

void construct(QlObject* object, ClassObject* cls) {
  if (cls->superclass) construct(object, cls->superclass);
  if (cls->constructor) cls->constructor(object, cls);
}

void destroy(QlObject* object) {
  ObjectHeader* header = object_header(object);
  header->count = kDyingCount;
  ClassObject* own = header->object_class;
  for (ClassObject* cls = own; cls; cls = cls->superclass) {
    if (cls->destructor) cls->destructor(object, cls);
  }
  if (header->previous) object_header(header->previous)->next = header->next;
  if (header->next) object_header(header->next)->previous = header->previous;
  if (live.head == object) live.head = header->next;
  --live.count;
  pool_free(object, instance_bytes(own));
}

}  // namespace

int32_t instance_bytes(const ClassObject* cls) {
  int32_t words = (cls->instance_size + 3) / 4;
  int32_t bytes = words * 4;
  return bytes < static_cast<int32_t>(sizeof(ObjectBase)) ? static_cast<int32_t>(sizeof(ObjectBase)) : bytes;
}

QlObject* new_object(ClassObject* cls) {
  int32_t bytes = instance_bytes(cls);
  auto* object = static_cast<QlObject*>(pool_alloc(bytes));
  memset(object, 0, bytes);
  ObjectHeader* header = object_header(object);
  header->count = 1;
  header->object_class = cls;
  construct(object, cls);
  header->next = live.head;
  if (live.head) object_header(live.head)->previous = object;
  live.head = object;
  ++live.count;
  return object;
}

void retain_object(QlObject* object) {
  if (object) ++object_header(object)->count;
}

void release_object(QlObject* object) {
  if (!object) return;
  ObjectHeader* header = object_header(object);
  if (header->count <= 0) {
    report_assertion(kConsistencyCheck, "objects", 2);
    stop_for_fault(over_release_fault_text(header->object_class));
  }
  if (--header->count == 0) destroy(object);
}

ClassObject* class_of(QlObject* object) { return object ? object_header(object)->object_class : nullptr; }

QlObject* first_live_object() { return live.head; }
QlObject* next_live_object(QlObject* object) { return object_header(object)->next; }
int32_t live_object_count() { return live.count; }

}  // namespace ql
