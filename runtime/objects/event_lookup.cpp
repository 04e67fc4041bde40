// Which handler runs for an event, and hooks by key.
#include "objects/class_object.h"
#include "objects/objects.h"
#include "quillet/objects.h"

namespace ql {

// The handler nearest to the class that declares the event wins: walking from the object's class toward
// the root, each matching hook replaces the one found so far, until the declaring class ends the walk. A
// class that declares another event of the same name hides the hooks found below it.
uintptr_t find_event_handler(QlObject* object, const EventDefinition& event) {
  uintptr_t found = 0;
  for (const ClassObject* cls = class_of(object); cls; cls = cls->superclass) {
    for (const EventDefinition* declared : cls->events) {
      if (declared == &event) return found;
      if (names_equal(declared->name, event.name)) found = 0;
    }
    for (const HookRecord& hook : cls->hooks) {
      if (names_equal(hook.name, event.name)) found = hook.code;
    }
  }
  return 0;
}

uintptr_t find_hook_code(const ClassObject* cls, uint32_t key) {
  for (; cls; cls = cls->superclass) {
    for (const HookRecord& hook : cls->hooks) {
      if (hook.key == key) return hook.code;
    }
  }
  return 0;
}

}  // namespace ql

QL_API void* RuntimeFindHookCode(QlObject* object, int32_t key) {
  return reinterpret_cast<void*>(ql::find_hook_code(ql::class_of(object), static_cast<uint32_t>(key)));
}
