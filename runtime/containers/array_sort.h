// Sorting one-dimensional arrays in place, ascending and not stable.
#pragma once

#include "containers/array_access.h"
#include "containers/array_record.h"

namespace ql {

// First sizes the vector to bound[0] + 1 elements, so unwritten elements take part as 0 or the empty
// string. Numbers in numeric order (NaN after every number); strings in the locale's case-sensitive order.
// An array of several dimensions answers kRaise; a nil array is reported and left alone. Object arrays
// have no order.
Verdict sort_array(QlArray* array, ElementKind kind);

// Ranges of at most this many elements are finished by selection instead of being partitioned.
inline constexpr int32_t kSelectionSortSpan = 5;

}  // namespace ql
