// The Variant class: an object holding one typed value. A variant owns a reference to its string or a lock
// on its object, given back by the class's destructor.
#pragma once

#include <stdint.h>

#include "objects/object.h"
#include "quillet/types.h"

namespace ql {

struct ClassObject;

enum VariantType : int32_t {
  kVariantNone = 0,  // what VarType answers for a nil reference; no variant holds it
  kVariantNil = 1,
  kVariantInteger = 2,
  kVariantDouble = 5,
  kVariantString = 8,
  kVariantBoolean = 11,
  kVariantObject = 13,
};

union VariantValue {
  int32_t integer;  // integer, and boolean (non-zero is true)
  double number;
  QlString string;
  QlObject* object;
};

struct VariantInstance {
  ObjectBase base;
  int32_t type;
  alignas(8) VariantValue value;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(VariantInstance) == 40, "Variant instances are 40 bytes on 32-bit targets");
#endif

// Makes the built-in class Variant (or completes the one the registry already has) with this layout's size
// and the destructor. Safe to call more than once; the start-up definitions of the built-in classes call it.
ClassObject* define_variant_class();
// The class, defined on first use and completed again should a later definition have shrunk it.
ClassObject* variant_class();
// Gives back the string or object the variant holds.
void destroy_variant(QlObject* object, ClassObject* cls);

// A new variant of that type with an empty value, one reference for the caller.
VariantInstance* new_variant(VariantType type);
// object as a variant; null for nil and for objects of other classes.
const VariantInstance* as_variant(QlObject* object);

}  // namespace ql
