// Releasing what arrays hold: nested vectors depth-first, then the references of the strings or objects at
// the element level, then the record.
#include <string.h>

#include "containers/array_allocator.h"
#include "containers/array_record.h"
#include "objects/objects.h"
#include "values/string.h"

namespace ql {

namespace {

void release_element(const Vector& v, int32_t index, ElementKind kind) {
  if (kind != ElementKind::kString && kind != ElementKind::kObject) return;
  void* held;
  memcpy(&held, vector_slot(v, index), sizeof held);
  if (kind == ElementKind::kString) {
    string_release(static_cast<QlString>(held));
  } else {
    release_object(static_cast<QlObject*>(held));
  }
  memset(vector_slot(v, index), 0, sizeof held);
}

void dispose_vector(Vector* v, int32_t levels_below, ElementKind kind) {
  release_entries(*v, 0, v->count, levels_below, kind);
  vector_free_storage(*v);
  guarded_free(v);
}

}  // namespace

void release_entries(Vector& v, int32_t from, int32_t to, int32_t levels_below, ElementKind kind) {
  for (int32_t i = from; i < to && i < v.count; ++i) {
    if (levels_below == 0) {
      release_element(v, i, kind);
    } else if (Vector* child = child_vector(v, i)) {
      set_child_vector(v, i, nullptr);
      dispose_vector(child, levels_below - 1, kind);
    }
  }
}

void dispose_array(QlArray* array, ElementKind kind) {
  if (!array) return;
  release_entries(array->top, 0, array->top.count, element_level(*array), kind);
  vector_free_storage(array->top);
  guarded_free(array);
}

}  // namespace ql
