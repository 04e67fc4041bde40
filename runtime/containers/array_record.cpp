// Creating arrays and declaring their bounds.
#include "containers/array_record.h"

#include <algorithm>

#include "containers/array_allocator.h"
#include "containers/array_shape.h"
#include "values/fatal.h"

namespace ql {

QlArray* create_array() {
  auto* array = static_cast<QlArray*>(guarded_alloc(sizeof(QlArray)));
  array->top.element_size = kNarrowSlot;
  std::fill(std::begin(array->bounds), std::end(array->bounds), -1);
  return array;
}

int32_t add_dimension(QlArray* array, int32_t lower, int32_t upper) {
  if (!array) {
    report_assertion(kConsistencyCheck, "commonruntime", 181);
    return -1;
  }
  // A 21st bound has nowhere to go, and a bound added once elements exist would make the runtime read
  // those elements as the addresses of vectors.
  if (array->dimensions >= kMaxDimensions || array->top.count > 0) {
    report_assertion(kConsistencyCheck, "commonruntime", 0);
    return -1;
  }
  int64_t bound = static_cast<int64_t>(upper) - lower;
  array->bounds[array->dimensions] = static_cast<int32_t>(std::clamp<int64_t>(bound, INT32_MIN, INT32_MAX));
  return array->dimensions++;
}

int32_t upper_bound(const QlArray* array) {
  if (!array) {
    report_assertion(kConsistencyCheck, "commonruntime", 0);
    return -1;
  }
  return array->bounds[0];
}

}  // namespace ql
