// Entry points of the language's arrays. An array holds integers, singles, doubles, strings or object
// references in up to 20 dimensions, each indexed from 0 to its declared upper bound. An index outside the
// bounds raises an OutOfBoundsException and stores nothing. Elements never written read as 0, the empty
// string or nil. String and object results carry a new reference for the caller.
#pragma once

#include "quillet/types.h"

// Opaque to compiled code.
typedef struct QlArray QlArray;

// Creation: one RuntimeArrayCreateAddIndex per dimension (lower is 0), which answers the dimension's index.
QL_API QlArray* RuntimeCreateArray(void);
QL_API int32_t RuntimeArrayCreateAddIndex(QlArray* array, int32_t lower, int32_t upper);
QL_API int32_t RuntimeUBound(QlArray* array);

// One-dimensional arrays. Singles travel as doubles and are stored with single precision.
QL_API int32_t RuntimeDirectReadIntArray(QlArray* array, int32_t index);
QL_API double RuntimeDirectReadSingleArray(QlArray* array, int32_t index);
QL_API double RuntimeDirectReadDoubleArray(QlArray* array, int32_t index);
QL_API QlString RuntimeDirectReadStringArray(QlArray* array, int32_t index);
QL_API QlObject* RuntimeDirectReadObjectArray(QlArray* array, int32_t index);
QL_API void RuntimeDirectWriteIntArray(QlArray* array, int32_t index, int32_t value);
QL_API void RuntimeDirectWriteSingleArray(QlArray* array, int32_t index, double value);
QL_API void RuntimeDirectWriteDoubleArray(QlArray* array, int32_t index, double value);
QL_API void RuntimeDirectWriteStringArray(QlArray* array, int32_t index, QlString value);
QL_API void RuntimeDirectWriteObjectArray(QlArray* array, int32_t index, QlObject* value);

// Several dimensions: a(i0, ..., ik) is a start call with i0, an add-index call for each of i1 to i(k-1),
// then one read or write call with ik. A walk finishes before another begins on the same array.
QL_API void RuntimeArrayStartReadAccess(QlArray* array, int32_t index);
QL_API void RuntimeArrayAddReadIndex(QlArray* array, int32_t index);
QL_API void RuntimeArrayStartWriteAccess(QlArray* array, int32_t index);
QL_API void RuntimeArrayAddWriteIndex(QlArray* array, int32_t index);
QL_API int32_t RuntimeReadIntArray(QlArray* array, int32_t index);
QL_API double RuntimeReadSingleArray(QlArray* array, int32_t index);
QL_API double RuntimeReadDoubleArray(QlArray* array, int32_t index);
QL_API QlString RuntimeReadStringArray(QlArray* array, int32_t index);
QL_API QlObject* RuntimeReadObjectArray(QlArray* array, int32_t index);
QL_API void RuntimeWriteIntArray(QlArray* array, int32_t index, int32_t value);
QL_API void RuntimeWriteSingleArray(QlArray* array, int32_t index, double value);
QL_API void RuntimeWriteDoubleArray(QlArray* array, int32_t index, double value);
QL_API void RuntimeWriteStringArray(QlArray* array, int32_t index, QlString value);
QL_API void RuntimeWriteObjectArray(QlArray* array, int32_t index, QlObject* value);

// Resizing dimension 0. Insert takes positions 0 to the bound (the end is Append's). Single and double
// arrays remove through the integer form.
QL_API void RuntimeIntArrayAppend(QlArray* array, int32_t value);
QL_API void RuntimeSingleArrayAppend(QlArray* array, double value);
QL_API void RuntimeDoubleArrayAppend(QlArray* array, double value);
QL_API void RuntimeStringArrayAppend(QlArray* array, QlString value);
QL_API void RuntimeObjectArrayAppend(QlArray* array, QlObject* value);
QL_API void RuntimeIntArrayInsert(QlArray* array, int32_t index, int32_t value);
QL_API void RuntimeSingleArrayInsert(QlArray* array, int32_t index, double value);
QL_API void RuntimeDoubleArrayInsert(QlArray* array, int32_t index, double value);
QL_API void RuntimeStringArrayInsert(QlArray* array, int32_t index, QlString value);
QL_API void RuntimeObjectArrayInsert(QlArray* array, int32_t index, QlObject* value);
QL_API void RuntimeIntArrayRemove(QlArray* array, int32_t index);
QL_API void RuntimeStringArrayRemove(QlArray* array, int32_t index);
QL_API void RuntimeObjectArrayRemove(QlArray* array, int32_t index);

// Sets the bound of one dimension; what lies beyond it is released. A bound of -1 empties the dimension.
QL_API void RuntimeRedimIntArrayLevel(QlArray* array, int32_t level, int32_t bound);
QL_API void RuntimeRedimStringArrayLevel(QlArray* array, int32_t level, int32_t bound);
QL_API void RuntimeRedimObjectArrayLevel(QlArray* array, int32_t level, int32_t bound);

// Ascending, in place, not stable. Strings in the locale's case-sensitive order.
QL_API void RuntimeIntArraySort(QlArray* array);
QL_API void RuntimeSingleArraySort(QlArray* array);
QL_API void RuntimeDoubleArraySort(QlArray* array);
QL_API void RuntimeStringArraySort(QlArray* array);

// Frees the array with everything in it. Single and double arrays use the integer form.
QL_API void RuntimeDisposeIntArray(QlArray* array);
QL_API void RuntimeDisposeStringArray(QlArray* array);
QL_API void RuntimeDisposeObjectArray(QlArray* array);
