// The array record and its vectors. An array of n dimensions is a tree: the vectors of levels 0 to n - 2
// hold pointers to the vectors of the next level (null where nothing was written yet), the vectors of level
// n - 1 hold the elements. Storage is lazy: a vector holds `count` elements, and every index from count to
// the declared bound reads as 0, the empty string or nil.
#pragma once

#include <stdint.h>

#include "quillet/arrays.h"

namespace ql {

inline constexpr int kMaxDimensions = 20;

enum class ElementKind { kInt, kSingle, kDouble, kString, kObject };

// The slot widths. A vector starts at 4 bytes a slot and only ever widens (see vector_adapt).
inline constexpr int32_t kNarrowSlot = 4;
inline constexpr int32_t kPointerSlot = static_cast<int32_t>(sizeof(void*));
constexpr int32_t slot_width(ElementKind kind) {
  switch (kind) {
    case ElementKind::kDouble:
      return 8;
    case ElementKind::kString:
    case ElementKind::kObject:
      return kPointerSlot;
    default:
      return kNarrowSlot;
  }
}

// The data lives on the general heap and moves when it grows; the record holding its address comes from
// the pool and stays put.
struct VectorStorage {
  uint8_t* data;
  int32_t size;  // bytes
};

struct Vector {
  VectorStorage* storage;  // null until first needed
  int32_t count;           // elements stored
  int32_t capacity;        // elements that fit in the storage
  int32_t element_size;    // bytes a slot
};

}  // namespace ql

struct QlArray {
  ql::Vector top;
  int32_t dimensions;                  // bounds added so far
  int32_t bounds[ql::kMaxDimensions];  // declared upper bounds; lower bounds are 0; -1 is empty
  int32_t access_level;                // the dimension the next index of an access walk refers to
  ql::Vector* access_vector;           // where the walk stands; null when its path was never written
};

namespace ql {

// The level whose vectors hold the elements. An array that never had a bound added is treated as an
// empty one-dimensional array.
inline int32_t element_level(const QlArray& array) { return array.dimensions > 1 ? array.dimensions - 1 : 0; }

// Vector storage (array_vector.cpp). Growing past what the pool or the heap can give ends the process.
Vector* new_vector();                                  // empty, from the guarded allocator
void vector_adapt(Vector& v, int32_t width);           // widens slots to width, keeping their values
uint8_t* vector_slot(const Vector& v, int32_t index);  // index below count
// Grows count to n (no change when count is already n or more); new slots are zero. limit caps how far
// ahead of n the storage may be reserved. More elements than a vector can count end the process as
// exhausted memory.
void vector_grow(Vector& v, int64_t n, int64_t limit);
void vector_open_gap(Vector& v, int32_t index);   // index below count: slots from index move up one
void vector_close_gap(Vector& v, int32_t index);  // index below count: slots above index move down one
void vector_truncate(Vector& v, int32_t n);       // n below count; the caller released the slots cut off
void vector_free_storage(Vector& v);

// Pointer slots of the levels above the elements.
Vector* child_vector(const Vector& v, int32_t index);  // null beyond count or where none was made
void set_child_vector(Vector& v, int32_t index, Vector* child);

// Releasing (array_dispose.cpp). levels_below counts the levels of vectors below v's entries: 0 when v
// holds elements of kind.
void release_entries(Vector& v, int32_t from, int32_t to, int32_t levels_below, ElementKind kind);
void dispose_array(QlArray* array, ElementKind kind);

}  // namespace ql
