// Element reads and writes: the direct ones of one-dimensional arrays and the access walk of the others.
#include "containers/array_access.h"

#include <algorithm>

#include "values/fatal.h"

namespace ql {

namespace {

constexpr const char* kSource = "commonruntime";

// Vectors grow this far ahead of a direct write, within the declared bound.
constexpr int64_t kWriteAhead = 16;

template <ElementKind K>
ElementValue<K> load(Vector& v, int32_t index) {
  vector_adapt(v, slot_width(K));
  return index < v.count ? Element<K>::load(vector_slot(v, index)) : ElementValue<K>{};
}

// Grows v to at least `needed` elements (the storage no further than limit) and stores value at index.
template <ElementKind K>
void store(Vector& v, int32_t index, ElementValue<K> value, int64_t needed, int64_t limit) {
  vector_adapt(v, slot_width(K));
  vector_grow(v, needed, limit);
  Element<K>::store(vector_slot(v, index), value);
}

int64_t elements_within(int32_t bound) { return static_cast<int64_t>(bound) + 1; }

// A walk's next index must still address a level of vectors, and its last one the elements.
bool walk_can_descend(const QlArray& array) { return array.access_level < element_level(array); }
bool walk_at_elements(const QlArray& array) {
  return array.dimensions > 1 && array.access_level == element_level(array);
}

// The vector of the next level at index of v, made when missing. bound is v's level's bound.
Vector* make_child(Vector& v, int32_t index, int32_t bound) {
  vector_adapt(v, kPointerSlot);
  Vector* child = child_vector(v, index);
  if (!child) {
    vector_grow(v, static_cast<int64_t>(index) + 1, elements_within(bound));
    child = new_vector();
    set_child_vector(v, index, child);
  }
  return child;
}

}  // namespace

Verdict check_direct(const QlArray& array, int32_t index) {
  if (array.dimensions > 1 || !within(index, array.bounds[0])) return Verdict::kRaise;
  return Verdict::kDone;
}

template <ElementKind K>
Checked<ElementValue<K>> direct_read(QlArray* array, int32_t index, int nil_line) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, nil_line);
    return {};
  }
  if (check_direct(*array, index) == Verdict::kRaise) return {{}, Verdict::kRaise};
  return {load<K>(array->top, index), Verdict::kDone};
}

template <ElementKind K>
Verdict direct_write(QlArray* array, int32_t index, ElementValue<K> value, int nil_line) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, nil_line);
    return Verdict::kDone;
  }
  if (check_direct(*array, index) == Verdict::kRaise) return Verdict::kRaise;
  int64_t limit = elements_within(array->bounds[0]);
  int64_t needed = index < array->top.count ? 0 : std::min(limit, index + kWriteAhead);
  store<K>(array->top, index, value, needed, limit);
  return Verdict::kDone;
}

Verdict start_read_access(QlArray* array, int32_t index) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (array->dimensions < 2 || !within(index, array->bounds[0])) return Verdict::kRaise;
  array->access_level = 1;
  array->access_vector = child_vector(array->top, index);
  return Verdict::kDone;
}

Verdict add_read_index(QlArray* array, int32_t index) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (!walk_can_descend(*array)) return Verdict::kRaise;
  if (array->access_vector) {
    if (!within(index, array->bounds[array->access_level])) return Verdict::kRaise;
    array->access_vector = child_vector(*array->access_vector, index);
  }
  ++array->access_level;
  return Verdict::kDone;
}

Verdict start_write_access(QlArray* array, int32_t index) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (array->dimensions < 2 || !within(index, array->bounds[0])) return Verdict::kRaise;
  array->access_level = 1;
  array->access_vector = make_child(array->top, index, array->bounds[0]);
  return Verdict::kDone;
}

Verdict add_write_index(QlArray* array, int32_t index) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (!walk_can_descend(*array)) return Verdict::kRaise;
  if (array->access_vector) {
    if (!within(index, array->bounds[array->access_level])) return Verdict::kRaise;
    array->access_vector = make_child(*array->access_vector, index, array->bounds[array->access_level]);
  }
  ++array->access_level;
  return Verdict::kDone;
}

template <ElementKind K>
Checked<ElementValue<K>> walk_read(QlArray* array, int32_t index) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return {};
  }
  if (!walk_at_elements(*array)) return {{}, Verdict::kRaise};
  bool in_bounds = within(index, array->bounds[array->access_level]);
  // Strings check the bound even where nothing was written yet; the other kinds only along a written path.
  if (K == ElementKind::kString && !in_bounds) return {{}, Verdict::kRaise};
  if (!array->access_vector) return {};
  if (!in_bounds) return {{}, Verdict::kRaise};
  return {load<K>(*array->access_vector, index), Verdict::kDone};
}

template <ElementKind K>
Verdict walk_write(QlArray* array, int32_t index, ElementValue<K> value) {
  if (!array) {
    report_assertion(kConsistencyCheck, kSource, 0);
    return Verdict::kDone;
  }
  if (!walk_at_elements(*array)) return Verdict::kRaise;
  bool in_bounds = within(index, array->bounds[array->access_level]);
  if (K == ElementKind::kString && !in_bounds) return Verdict::kRaise;
  if (!array->access_vector) return Verdict::kDone;
  if (!in_bounds) return Verdict::kRaise;
  int64_t needed = static_cast<int64_t>(index) + 1;
  store<K>(*array->access_vector, index, value, needed, elements_within(array->bounds[array->access_level]));
  return Verdict::kDone;
}

#define QL_INSTANTIATE(kind)                                                       \
  template Checked<ElementValue<kind>> direct_read<kind>(QlArray*, int32_t, int);  \
  template Verdict direct_write<kind>(QlArray*, int32_t, ElementValue<kind>, int); \
  template Checked<ElementValue<kind>> walk_read<kind>(QlArray*, int32_t);         \
  template Verdict walk_write<kind>(QlArray*, int32_t, ElementValue<kind>);
QL_INSTANTIATE(ElementKind::kInt)
QL_INSTANTIATE(ElementKind::kSingle)
QL_INSTANTIATE(ElementKind::kDouble)
QL_INSTANTIATE(ElementKind::kString)
QL_INSTANTIATE(ElementKind::kObject)
#undef QL_INSTANTIATE

}  // namespace ql
