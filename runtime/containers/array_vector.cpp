// Vector storage: lazy growth, widening, and moving slots for Insert and Remove.
#include <string.h>

#include <algorithm>

#include "containers/array_allocator.h"
#include "containers/array_record.h"
#include "platform/platform.h"
#include "values/fatal.h"
#include "values/invariant.h"
#include "values/pool.h"

namespace ql {

namespace {

// Replaces the storage by one of exactly `elements` slots of `width` bytes. Old slots are copied (widened
// when width grows: the low bytes of each keep its value, little-endian); the new bytes are zero.
void relayout(Vector& v, int64_t elements, int32_t width) {
  int64_t bytes = elements * width;
  if (bytes > INT32_MAX) fatal_out_of_memory();
  auto* data = static_cast<uint8_t*>(platform::heap_alloc(static_cast<size_t>(bytes)));
  if (!data) fatal_out_of_memory();
  memset(data, 0, static_cast<size_t>(bytes));
  if (v.storage) {
    int32_t keep = static_cast<int32_t>(std::min<int64_t>(v.count, elements));
    if (width == v.element_size) {
      memcpy(data, v.storage->data, static_cast<size_t>(keep) * static_cast<size_t>(width));
    } else {
      for (int32_t i = 0; i < keep; ++i) {
        memcpy(data + static_cast<size_t>(i) * static_cast<size_t>(width),
               v.storage->data + static_cast<size_t>(i) * static_cast<size_t>(v.element_size),
               static_cast<size_t>(std::min(width, v.element_size)));
      }
    }
    platform::heap_free(v.storage->data);
  } else {
    v.storage = static_cast<VectorStorage*>(pool_alloc(sizeof(VectorStorage)));
  }
  v.storage->data = data;
  v.storage->size = static_cast<int32_t>(bytes);
  v.capacity = static_cast<int32_t>(elements);
  v.element_size = width;
}

// The most elements of v's width that a storage size (a signed 32-bit byte count) can hold.
int64_t most_elements(const Vector& v) { return INT32_MAX / v.element_size; }

size_t offset_of(const Vector& v, int32_t index) {
  return static_cast<size_t>(index) * static_cast<size_t>(v.element_size);
}

}  // namespace

Vector* new_vector() {
  auto* v = static_cast<Vector*>(guarded_alloc(sizeof(Vector)));
  v->element_size = kNarrowSlot;
  return v;
}

void vector_adapt(Vector& v, int32_t width) {
  if (width <= v.element_size) return;
  if (v.storage) {
    relayout(v, v.capacity, width);
  } else {
    v.element_size = width;
  }
}

uint8_t* vector_slot(const Vector& v, int32_t index) {
  QL_INVARIANT(index >= 0 && index < v.count && v.storage, "a vector's slots are addressed below its count");
  return v.storage->data + offset_of(v, index);
}

void vector_grow(Vector& v, int64_t n, int64_t limit) {
  if (n <= v.count) return;
  if (n > INT32_MAX) fatal_out_of_memory();
  if (n > v.capacity) {
    // Half as much again, so that filling or appending n elements copies O(n) bytes, yet never beyond
    // what the caller allows (the declared bound for writes).
    int64_t ahead = std::min({static_cast<int64_t>(v.capacity) + v.capacity / 2, limit, most_elements(v)});
    relayout(v, std::max<int64_t>(n, ahead), v.element_size);
  }
  int32_t new_count = static_cast<int32_t>(n);
  memset(v.storage->data + offset_of(v, v.count), 0, offset_of(v, new_count) - offset_of(v, v.count));
  v.count = new_count;
}

void vector_open_gap(Vector& v, int32_t index) {
  QL_INVARIANT(index >= 0 && index < v.count, "a gap opens at a slot below the count");
  if (v.count == v.capacity) {
    int64_t more = std::max<int64_t>(16, v.capacity / 2);
    relayout(v, std::max<int64_t>(v.capacity + 1, std::min(v.capacity + more, most_elements(v))),
             v.element_size);
  }
  uint8_t* at = vector_slot(v, index);
  memmove(at + v.element_size, at, offset_of(v, v.count - index));
  memset(at, 0, static_cast<size_t>(v.element_size));
  ++v.count;
}

void vector_close_gap(Vector& v, int32_t index) {
  QL_INVARIANT(index >= 0 && index < v.count, "a gap closes at a slot below the count");
  uint8_t* at = vector_slot(v, index);
  memmove(at, at + v.element_size, offset_of(v, v.count - index - 1));
  memset(vector_slot(v, v.count - 1), 0, static_cast<size_t>(v.element_size));
  --v.count;
}

void vector_truncate(Vector& v, int32_t n) {
  QL_INVARIANT(n < v.count, "a vector is cut to fewer slots than it holds");
  if (n <= 0) {
    vector_free_storage(v);
    return;
  }
  memset(vector_slot(v, n), 0, offset_of(v, v.count) - offset_of(v, n));
  v.count = n;
}

void vector_free_storage(Vector& v) {
  if (v.storage) {
    platform::heap_free(v.storage->data);
    pool_free(v.storage, sizeof(VectorStorage));
  }
  v.storage = nullptr;
  v.count = 0;
  v.capacity = 0;
}

Vector* child_vector(const Vector& v, int32_t index) {
  if (index >= v.count) return nullptr;
  Vector* child;
  memcpy(&child, vector_slot(v, index), sizeof child);
  return child;
}

void set_child_vector(Vector& v, int32_t index, Vector* child) {
  memcpy(vector_slot(v, index), &child, sizeof child);
}

}  // namespace ql
