// How each element kind sits in a slot: singles as 32-bit floats, strings and objects as one reference
// each. Storing gives back what the slot held and takes a reference to the new value.
#pragma once

#include <float.h>
#include <string.h>

#include "containers/array_record.h"
#include "objects/objects.h"
#include "values/string.h"

namespace ql {

template <ElementKind K>
struct Element;

// Slots sit at any alignment, so values go in and out by copying.
template <typename T>
T read_slot(const uint8_t* slot) {
  T value;
  memcpy(&value, slot, sizeof value);
  return value;
}

template <>
struct Element<ElementKind::kInt> {
  using Value = int32_t;
  static Value load(const uint8_t* slot) { return read_slot<Value>(slot); }
  static void store(uint8_t* slot, Value v) { memcpy(slot, &v, sizeof v); }
};

// A double beyond the range of a single becomes the infinity of its sign, as the hardware rounds it.
inline float to_single(double value) {
  if (value > FLT_MAX) return value < 0x1.ffffffp127 ? FLT_MAX : __builtin_inff();
  if (value < -FLT_MAX) return value > -0x1.ffffffp127 ? -FLT_MAX : -__builtin_inff();
  return static_cast<float>(value);
}

template <>
struct Element<ElementKind::kSingle> {
  using Value = double;
  static Value load(const uint8_t* slot) { return read_slot<float>(slot); }
  static void store(uint8_t* slot, Value v) {
    float single = to_single(v);
    memcpy(slot, &single, sizeof single);
  }
};

template <>
struct Element<ElementKind::kDouble> {
  using Value = double;
  static Value load(const uint8_t* slot) { return read_slot<Value>(slot); }
  static void store(uint8_t* slot, Value v) { memcpy(slot, &v, sizeof v); }
};

// load answers a new reference for the caller.
template <>
struct Element<ElementKind::kString> {
  using Value = QlString;
  static Value peek(const uint8_t* slot) { return read_slot<Value>(slot); }
  static Value load(const uint8_t* slot) {
    Value v = peek(slot);
    string_retain(v);
    return v;
  }
  static void store(uint8_t* slot, Value v) {
    Value held = peek(slot);
    string_assign(held, v);
    memcpy(slot, &held, sizeof held);
  }
};

template <>
struct Element<ElementKind::kObject> {
  using Value = QlObject*;
  static Value peek(const uint8_t* slot) { return read_slot<Value>(slot); }
  static Value load(const uint8_t* slot) {
    Value v = peek(slot);
    retain_object(v);
    return v;
  }
  static void store(uint8_t* slot, Value v) {
    Value held = peek(slot);
    if (held == v) return;
    retain_object(v);
    memcpy(slot, &v, sizeof v);
    release_object(held);
  }
};

template <ElementKind K>
using ElementValue = typename Element<K>::Value;

}  // namespace ql
