// Reading and writing elements: directly in one-dimensional arrays, and through the access walk in arrays
// of several dimensions. These answer what the entry point must do instead of raising themselves, so that
// every decision can be checked; the entry points raise at their boundary.
#pragma once

#include <stdint.h>

#include "containers/array_element.h"
#include "containers/array_record.h"

namespace ql {

// kRaise: the entry point raises an OutOfBoundsException; nothing was stored and the value is neutral.
// Besides indexes outside the bounds, it answers an operation that does not fit the array's shape (a
// one-dimensional operation on an array of several dimensions, a walk with too many or too few indexes).
enum class Verdict { kDone, kRaise };

template <typename T>
struct Checked {
  T value{};
  Verdict verdict = Verdict::kDone;
};

inline bool within(int32_t index, int32_t bound) { return index >= 0 && index <= bound; }

// The guard of the one-dimensional operations: the array has at most one dimension and 0 <= index <=
// bound[0].
Verdict check_direct(const QlArray& array, int32_t index);

// A nil array is reported to the assertion routine (source "commonruntime", the line the entry point
// names) and answers the neutral value.
template <ElementKind K>
Checked<ElementValue<K>> direct_read(QlArray* array, int32_t index, int nil_line);
template <ElementKind K>
Verdict direct_write(QlArray* array, int32_t index, ElementValue<K> value, int nil_line);

Verdict start_read_access(QlArray* array, int32_t index);
Verdict add_read_index(QlArray* array, int32_t index);
Verdict start_write_access(QlArray* array, int32_t index);
Verdict add_write_index(QlArray* array, int32_t index);
template <ElementKind K>
Checked<ElementValue<K>> walk_read(QlArray* array, int32_t index);
template <ElementKind K>
Verdict walk_write(QlArray* array, int32_t index, ElementValue<K> value);

}  // namespace ql
