// Method-table and interface-table dispatch for compiled code.
#include "objects/class_array.h"
#include "objects/class_object.h"
#include "objects/exceptions.h"
#include "objects/object_faults.h"
#include "objects/objects.h"
#include "quillet/objects.h"
#include "values/fatal.h"

namespace {

// Compiled code calls whatever address it gets, so a slot that does not exist stops the program here rather
// than letting it jump to 0.
[[noreturn]] void stop_for_slot(const char* routine, int32_t slot, const ql::ClassObject* cls) {
  ql::report_assertion(ql::kConsistencyCheck, "objects", 3);
  ql::stop_for_fault(ql::method_slot_fault_text(routine, slot, cls));
}

}  // namespace

QL_API void* FindVTableCode(QlObject* object, int32_t slot) {
  if (!object) ql::raise_new_exception("NilObjectException");
  const ql::ClassObject* cls = ql::class_of(object);
  if (slot < 1 || static_cast<size_t>(slot) >= cls->method_table.size())
    stop_for_slot("FindVTableCode", slot, cls);
  return reinterpret_cast<void*>(cls->method_table[slot]);
}

QL_API void* FindInterfaceVTableCode(QlObject* object, int32_t slot, int32_t interface_class_index) {
  const ql::ClassObject* interface_class =
      ql::class_at_index_or_stop("FindInterfaceVTableCode", interface_class_index);
  if (!object) ql::raise_new_exception("NilObjectException");
  for (const ql::ClassObject* cls = ql::class_of(object); cls; cls = cls->superclass) {
    for (const ql::InterfaceEntry& entry : cls->interfaces) {
      if (entry.interface_class != interface_class) continue;
      if (slot < 1 || static_cast<size_t>(slot) >= entry.table.size()) {
        stop_for_slot("FindInterfaceVTableCode", slot, ql::class_of(object));
      }
      return reinterpret_cast<void*>(entry.table[slot]);
    }
  }
  return nullptr;
}
