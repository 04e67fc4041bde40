// The class array in force and the class-index lookups of the entry points.
#include "objects/class_array.h"

#include "objects/class_registry.h"
#include "objects/object_faults.h"
#include "objects/objects.h"
#include "values/fatal.h"

namespace ql {

namespace {
ClassArray& array_in_force() {
  static auto* array = new ClassArray;
  return *array;
}
}  // namespace

void install_class_array(ClassArray array) {
  array_in_force() = std::move(array);
  link_class_list();
}

const ClassArray& installed_class_array() { return array_in_force(); }

ClassObject* class_at_index(int32_t index) {
  const std::vector<ClassObject*>& classes = array_in_force().classes;
  if (index < 0 || static_cast<size_t>(index) >= classes.size()) return nullptr;
  return classes[index];
}

int32_t class_count() { return static_cast<int32_t>(array_in_force().classes.size()); }

std::string class_index_fault_text(const char* routine, int32_t index) {
  const ClassArray& array = array_in_force();
  std::string text = std::string(routine) + " was given the class index " + std::to_string(index);
  if (index >= 0 && static_cast<size_t>(index) < array.classes.size()) {
    bool named =
        static_cast<size_t>(index) < array.referenced_names.size() && !array.referenced_names[index].empty();
    text += ", whose class " + (named ? array.referenced_names[index] + " " : std::string()) +
            "does not exist in this runtime.";
  } else {
    text += ", but the application has " + std::to_string(array.classes.size()) + " classes.";
  }
  return fault_message(text);
}

ClassObject* class_at_index_or_stop(const char* routine, int32_t index) {
  ClassObject* cls = class_at_index(index);
  if (!cls) {
    report_assertion(kConsistencyCheck, "objects", 1);
    stop_for_fault(class_index_fault_text(routine, index));
  }
  return cls;
}

}  // namespace ql
