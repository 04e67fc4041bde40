// Append, Insert, Remove and Redim.
#include <string.h>

#include "containers/array_shape.h"
#include "values/fatal.h"

namespace ql {

namespace {

constexpr const char* kSource = "commonruntime";

bool one_dimensional(const QlArray& array) { return array.dimensions <= 1; }

// Cuts the vectors `depth` levels below v that lie at `level`.
void cut_level(Vector& v, int32_t depth, int32_t level, int64_t keep, int32_t levels_below_cut,
               ElementKind kind) {
  if (depth < level) {
    for (int32_t i = 0; i < v.count; ++i) {
      if (Vector* child = child_vector(v, i))
        cut_level(*child, depth + 1, level, keep, levels_below_cut, kind);
    }
    return;
  }
  if (v.count <= keep) return;
  release_entries(v, static_cast<int32_t>(keep), v.count, levels_below_cut, kind);
  vector_truncate(v, static_cast<int32_t>(keep));
}

}  // namespace

template <ElementKind K>
Verdict append_element(QlArray* array, ElementValue<K> value) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (!one_dimensional(*array) || array->bounds[0] == INT32_MAX) return Verdict::kRaise;
  // A bound below -1 declares an empty dimension just as -1 does.
  int32_t last = array->bounds[0] < -1 ? 0 : array->bounds[0] + 1;
  Vector& top = array->top;
  vector_adapt(top, slot_width(K));
  vector_grow(top, static_cast<int64_t>(last) + 1, INT32_MAX);
  Element<K>::store(vector_slot(top, last), value);
  array->bounds[0] = last;
  return Verdict::kDone;
}

template <ElementKind K>
Verdict insert_element(QlArray* array, int32_t index, ElementValue<K> value) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (!one_dimensional(*array) || !within(index, array->bounds[0]) || array->bounds[0] == INT32_MAX) {
    return Verdict::kRaise;
  }
  Vector& top = array->top;
  vector_adapt(top, slot_width(K));
  vector_grow(top, static_cast<int64_t>(index) + 1, INT32_MAX);
  vector_open_gap(top, index);
  Element<K>::store(vector_slot(top, index), value);
  ++array->bounds[0];
  return Verdict::kDone;
}

Verdict remove_element(QlArray* array, int32_t index, ElementKind kind) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (!one_dimensional(*array) || !within(index, array->bounds[0])) return Verdict::kRaise;
  Vector& top = array->top;
  void* removed = nullptr;
  if (index < top.count) {
    bool holds_reference = kind == ElementKind::kString || kind == ElementKind::kObject;
    if (holds_reference) {
      vector_adapt(top, kPointerSlot);
      memcpy(&removed, vector_slot(top, index), sizeof removed);
    }
    vector_close_gap(top, index);
  }
  --array->bounds[0];
  // Given back last: an object's destructor may run compiled code, which finds the array consistent.
  if (kind == ElementKind::kString) string_release(static_cast<QlString>(removed));
  if (kind == ElementKind::kObject) release_object(static_cast<QlObject*>(removed));
  return Verdict::kDone;
}

void redim_level(QlArray* array, int32_t level, int32_t bound, ElementKind kind) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return;
  }
  if (level < 0 || level >= kMaxDimensions) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return;
  }
  array->bounds[level] = bound;
  int32_t elements_at = element_level(*array);
  if (level > elements_at) return;  // no vectors live at a level the array does not have
  int64_t keep = bound < 0 ? 0 : static_cast<int64_t>(bound) + 1;
  cut_level(array->top, 0, level, keep, elements_at - level, kind);
}

#define QL_INSTANTIATE(kind)                                           \
  template Verdict append_element<kind>(QlArray*, ElementValue<kind>); \
  template Verdict insert_element<kind>(QlArray*, int32_t, ElementValue<kind>);
QL_INSTANTIATE(ElementKind::kInt)
QL_INSTANTIATE(ElementKind::kSingle)
QL_INSTANTIATE(ElementKind::kDouble)
QL_INSTANTIATE(ElementKind::kString)
QL_INSTANTIATE(ElementKind::kObject)
#undef QL_INSTANTIATE

}  // namespace ql
