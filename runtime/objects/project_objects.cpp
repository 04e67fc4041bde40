// The project item array.
#include "objects/project_objects.h"

#include <stddef.h>

namespace ql {

namespace {
std::vector<QlObject*>& items() {
  static std::vector<QlObject*> array;
  return array;
}
}  // namespace

void set_project_objects(std::vector<QlObject*> array) { items() = std::move(array); }

QlObject* project_object(int32_t index) {
  if (index <= 0 || static_cast<size_t>(index) > items().size()) return nullptr;
  return items()[index - 1];
}

}  // namespace ql
