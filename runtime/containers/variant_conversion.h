// Conversions of variants to plain values. Each answers the value and the exception the entry point must
// raise instead of raising itself, so that every decision can be checked; a raise comes with the neutral
// value (0, 0.0, false, the empty string, nil).
#pragma once

#include <stdint.h>

#include "containers/variant.h"
#include "quillet/types.h"

namespace ql {

enum class VariantFault {
  kNone,
  kTypeMismatch,  // the variant's type does not convert, or the object is not a variant
  kNilObject,     // a nil reference where a variant was expected
};

// The class of the exception the entry point raises; null for kNone.
const char* exception_class_for(VariantFault fault);

template <typename T>
struct Converted {
  T value{};
  VariantFault fault = VariantFault::kNone;
};

// The type code; kVariantNone for a nil reference and for an object that is not a variant.
int32_t variant_type(QlObject* variant);

Converted<int32_t> variant_to_int(QlObject* variant);
Converted<double> variant_to_double(QlObject* variant);
Converted<bool> variant_to_boolean(QlObject* variant);
Converted<QlString> variant_to_string(QlObject* variant);   // a new reference
Converted<QlObject*> variant_to_object(QlObject* variant);  // a new lock

}  // namespace ql
