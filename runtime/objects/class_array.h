// The class array: one class object per class descriptor of the image, in index order.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "objects/class_object.h"

namespace ql {

struct ClassArray {
  std::vector<ClassObject*> classes;          // null where a referenced class does not exist
  std::vector<std::string> referenced_names;  // per index, the name a reference asked for; "" otherwise
  std::vector<std::unique_ptr<ClassObject>> compiled;  // the classes the image defines itself
  int32_t application_index = -1;                      // the last compiled class descending from Application
};

// Replaces the array in force (only tests replace one that objects still use) and relinks the class list.
void install_class_array(ClassArray array);
const ClassArray& installed_class_array();

// For the entry points that take a class index: the class, or the program stops with a message naming the
// routine and the index.
ClassObject* class_at_index_or_stop(const char* routine, int32_t index);

// The message for an index that names no class: out of range, or a referenced class that does not exist.
std::string class_index_fault_text(const char* routine, int32_t index);

}  // namespace ql
