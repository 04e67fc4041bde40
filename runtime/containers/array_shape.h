// Creating arrays, declaring their bounds and changing their size. Operations that may raise answer a
// Verdict (array_access.h) and leave the raise to the entry point.
#pragma once

#include <stdint.h>

#include "containers/array_access.h"
#include "containers/array_record.h"

namespace ql {

// Every bound starts at -1 (empty), with no dimensions; one element level either way.
QlArray* create_array();
// Sets the next dimension's bound to upper - lower and answers its index. Refuses (reporting, answering
// -1) a nil array, a 21st dimension, and a dimension added after elements were stored.
int32_t add_dimension(QlArray* array, int32_t lower, int32_t upper);
int32_t upper_bound(const QlArray* array);  // bound[0]; nil: -1

// Dimension 0 of arrays with at most one dimension; a nil array is reported and left alone.
template <ElementKind K>
Verdict append_element(QlArray* array, ElementValue<K> value);
template <ElementKind K>
Verdict insert_element(QlArray* array, int32_t index, ElementValue<K> value);
// kind only decides what is given back: single and double arrays remove as integers do.
Verdict remove_element(QlArray* array, int32_t index, ElementKind kind);

// Sets bound[level] and cuts every vector of that level that holds more entries, releasing what it cuts
// off: the vectors below and, at the element level, the strings or objects. A level outside 0 to 19 is
// reported and nothing changes.
void redim_level(QlArray* array, int32_t level, int32_t bound, ElementKind kind);

}  // namespace ql
