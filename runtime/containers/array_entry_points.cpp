// The array entry points: each runs the operation and, when it answers kRaise, raises here at the boundary,
// with nothing half-changed and nothing owned on the stack.
#include "containers/array_access.h"
#include "containers/array_shape.h"
#include "containers/array_sort.h"
#include "objects/exceptions.h"
#include "quillet/arrays.h"

using ql::ElementKind;
using ql::Verdict;

namespace {

[[noreturn]] void raise_out_of_bounds() { ql::raise_new_exception("OutOfBoundsException"); }

void finish(Verdict verdict) {
  if (verdict == Verdict::kRaise) raise_out_of_bounds();
}

template <typename T>
T finish(ql::Checked<T> checked) {
  if (checked.verdict == Verdict::kRaise) raise_out_of_bounds();
  return checked.value;
}

// The lines the assertion routine is told for a nil array; 0 where none is assigned.
constexpr int kNoLine = 0;

}  // namespace

QlArray* RuntimeCreateArray(void) { return ql::create_array(); }

int32_t RuntimeArrayCreateAddIndex(QlArray* array, int32_t lower, int32_t upper) {
  return ql::add_dimension(array, lower, upper);
}

int32_t RuntimeUBound(QlArray* array) { return ql::upper_bound(array); }

int32_t RuntimeDirectReadIntArray(QlArray* array, int32_t index) {
  return finish(ql::direct_read<ElementKind::kInt>(array, index, kNoLine));
}
double RuntimeDirectReadSingleArray(QlArray* array, int32_t index) {
  return finish(ql::direct_read<ElementKind::kSingle>(array, index, 831));
}
double RuntimeDirectReadDoubleArray(QlArray* array, int32_t index) {
  return finish(ql::direct_read<ElementKind::kDouble>(array, index, 856));
}
QlString RuntimeDirectReadStringArray(QlArray* array, int32_t index) {
  return finish(ql::direct_read<ElementKind::kString>(array, index, 882));
}
QlObject* RuntimeDirectReadObjectArray(QlArray* array, int32_t index) {
  return finish(ql::direct_read<ElementKind::kObject>(array, index, 911));
}

void RuntimeDirectWriteIntArray(QlArray* array, int32_t index, int32_t value) {
  finish(ql::direct_write<ElementKind::kInt>(array, index, value, kNoLine));
}
void RuntimeDirectWriteSingleArray(QlArray* array, int32_t index, double value) {
  finish(ql::direct_write<ElementKind::kSingle>(array, index, value, 961));
}
void RuntimeDirectWriteDoubleArray(QlArray* array, int32_t index, double value) {
  finish(ql::direct_write<ElementKind::kDouble>(array, index, value, 991));
}
void RuntimeDirectWriteStringArray(QlArray* array, int32_t index, QlString value) {
  finish(ql::direct_write<ElementKind::kString>(array, index, value, 1023));
}
void RuntimeDirectWriteObjectArray(QlArray* array, int32_t index, QlObject* value) {
  finish(ql::direct_write<ElementKind::kObject>(array, index, value, 1064));
}

void RuntimeArrayStartReadAccess(QlArray* array, int32_t index) {
  finish(ql::start_read_access(array, index));
}
void RuntimeArrayAddReadIndex(QlArray* array, int32_t index) { finish(ql::add_read_index(array, index)); }
void RuntimeArrayStartWriteAccess(QlArray* array, int32_t index) {
  finish(ql::start_write_access(array, index));
}
void RuntimeArrayAddWriteIndex(QlArray* array, int32_t index) { finish(ql::add_write_index(array, index)); }

int32_t RuntimeReadIntArray(QlArray* array, int32_t index) {
  return finish(ql::walk_read<ElementKind::kInt>(array, index));
}
double RuntimeReadSingleArray(QlArray* array, int32_t index) {
  return finish(ql::walk_read<ElementKind::kSingle>(array, index));
}
double RuntimeReadDoubleArray(QlArray* array, int32_t index) {
  return finish(ql::walk_read<ElementKind::kDouble>(array, index));
}
QlString RuntimeReadStringArray(QlArray* array, int32_t index) {
  return finish(ql::walk_read<ElementKind::kString>(array, index));
}
QlObject* RuntimeReadObjectArray(QlArray* array, int32_t index) {
  return finish(ql::walk_read<ElementKind::kObject>(array, index));
}

void RuntimeWriteIntArray(QlArray* array, int32_t index, int32_t value) {
  finish(ql::walk_write<ElementKind::kInt>(array, index, value));
}
void RuntimeWriteSingleArray(QlArray* array, int32_t index, double value) {
  finish(ql::walk_write<ElementKind::kSingle>(array, index, value));
}
void RuntimeWriteDoubleArray(QlArray* array, int32_t index, double value) {
  finish(ql::walk_write<ElementKind::kDouble>(array, index, value));
}
void RuntimeWriteStringArray(QlArray* array, int32_t index, QlString value) {
  finish(ql::walk_write<ElementKind::kString>(array, index, value));
}
void RuntimeWriteObjectArray(QlArray* array, int32_t index, QlObject* value) {
  finish(ql::walk_write<ElementKind::kObject>(array, index, value));
}

void RuntimeIntArrayAppend(QlArray* array, int32_t value) {
  finish(ql::append_element<ElementKind::kInt>(array, value));
}
void RuntimeSingleArrayAppend(QlArray* array, double value) {
  finish(ql::append_element<ElementKind::kSingle>(array, value));
}
void RuntimeDoubleArrayAppend(QlArray* array, double value) {
  finish(ql::append_element<ElementKind::kDouble>(array, value));
}
void RuntimeStringArrayAppend(QlArray* array, QlString value) {
  finish(ql::append_element<ElementKind::kString>(array, value));
}
void RuntimeObjectArrayAppend(QlArray* array, QlObject* value) {
  finish(ql::append_element<ElementKind::kObject>(array, value));
}

void RuntimeIntArrayInsert(QlArray* array, int32_t index, int32_t value) {
  finish(ql::insert_element<ElementKind::kInt>(array, index, value));
}
void RuntimeSingleArrayInsert(QlArray* array, int32_t index, double value) {
  finish(ql::insert_element<ElementKind::kSingle>(array, index, value));
}
void RuntimeDoubleArrayInsert(QlArray* array, int32_t index, double value) {
  finish(ql::insert_element<ElementKind::kDouble>(array, index, value));
}
void RuntimeStringArrayInsert(QlArray* array, int32_t index, QlString value) {
  finish(ql::insert_element<ElementKind::kString>(array, index, value));
}
void RuntimeObjectArrayInsert(QlArray* array, int32_t index, QlObject* value) {
  finish(ql::insert_element<ElementKind::kObject>(array, index, value));
}

void RuntimeIntArrayRemove(QlArray* array, int32_t index) {
  finish(ql::remove_element(array, index, ElementKind::kInt));
}
void RuntimeStringArrayRemove(QlArray* array, int32_t index) {
  finish(ql::remove_element(array, index, ElementKind::kString));
}
void RuntimeObjectArrayRemove(QlArray* array, int32_t index) {
  finish(ql::remove_element(array, index, ElementKind::kObject));
}

void RuntimeRedimIntArrayLevel(QlArray* array, int32_t level, int32_t bound) {
  ql::redim_level(array, level, bound, ElementKind::kInt);
}
void RuntimeRedimStringArrayLevel(QlArray* array, int32_t level, int32_t bound) {
  ql::redim_level(array, level, bound, ElementKind::kString);
}
void RuntimeRedimObjectArrayLevel(QlArray* array, int32_t level, int32_t bound) {
  ql::redim_level(array, level, bound, ElementKind::kObject);
}

void RuntimeIntArraySort(QlArray* array) { finish(ql::sort_array(array, ElementKind::kInt)); }
void RuntimeSingleArraySort(QlArray* array) { finish(ql::sort_array(array, ElementKind::kSingle)); }
void RuntimeDoubleArraySort(QlArray* array) { finish(ql::sort_array(array, ElementKind::kDouble)); }
void RuntimeStringArraySort(QlArray* array) { finish(ql::sort_array(array, ElementKind::kString)); }

void RuntimeDisposeIntArray(QlArray* array) { ql::dispose_array(array, ElementKind::kInt); }
void RuntimeDisposeStringArray(QlArray* array) { ql::dispose_array(array, ElementKind::kString); }
void RuntimeDisposeObjectArray(QlArray* array) { ql::dispose_array(array, ElementKind::kObject); }
