// Variant conversions to plain values, each naming the exception the entry point raises on a fault.
#include "containers/variant_conversion.h"

#include "objects/objects.h"
#include "quillet/string_library.h"
#include "values/numbers.h"
#include "values/string.h"

namespace ql {

namespace {

template <typename T>
Converted<T> fault_of(QlObject* object) {
  return {T{}, object ? VariantFault::kTypeMismatch : VariantFault::kNilObject};
}

}  // namespace

const char* exception_class_for(VariantFault fault) {
  switch (fault) {
    case VariantFault::kTypeMismatch:
      return "typeMismatchException";
    case VariantFault::kNilObject:
      return "NilObjectException";
    case VariantFault::kNone:
      break;
  }
  return nullptr;
}

int32_t variant_type(QlObject* object) {
  const VariantInstance* variant = as_variant(object);
  return variant ? variant->type : kVariantNone;
}

Converted<int32_t> variant_to_int(QlObject* object) {
  const VariantInstance* variant = as_variant(object);
  switch (variant ? variant->type : kVariantNone) {
    case kVariantInteger:
      return {variant->value.integer};
    case kVariantDouble:
      return {fp_to_int(variant->value.number)};
    case kVariantString:
      return {fp_to_int(StringVal(variant->value.string))};
    case kVariantBoolean:
      return {variant->value.integer != 0 ? 1 : 0};
    default:
      return fault_of<int32_t>(object);
  }
}

Converted<double> variant_to_double(QlObject* object) {
  const VariantInstance* variant = as_variant(object);
  switch (variant ? variant->type : kVariantNone) {
    case kVariantInteger:
      return {static_cast<double>(variant->value.integer)};
    case kVariantDouble:
      return {variant->value.number};
    case kVariantString:
      return {StringVal(variant->value.string)};
    case kVariantBoolean:
      return {variant->value.integer != 0 ? 1.0 : 0.0};
    default:
      return fault_of<double>(object);
  }
}

Converted<bool> variant_to_boolean(QlObject* object) {
  const VariantInstance* variant = as_variant(object);
  switch (variant ? variant->type : kVariantNone) {
    case kVariantInteger:
    case kVariantBoolean:
      return {variant->value.integer != 0};
    case kVariantDouble:
      return {variant->value.number != 0.0};
    case kVariantString: {
      QlString text = variant->value.string;
      return {string_compare_folded_cstr(text, "true") == 0 || string_compare_folded_cstr(text, "1") == 0};
    }
    default:
      return fault_of<bool>(object);
  }
}

Converted<QlString> variant_to_string(QlObject* object) {
  const VariantInstance* variant = as_variant(object);
  switch (variant ? variant->type : kVariantNone) {
    case kVariantInteger:
      return {string_from_int(variant->value.integer)};
    case kVariantDouble:
      return {runCStr(variant->value.number)};
    case kVariantString:
      string_retain(variant->value.string);
      return {variant->value.string};
    case kVariantBoolean:
      return {string_from_cstr(variant->value.integer != 0 ? "True" : "False")};
    default:
      return fault_of<QlString>(object);
  }
}

Converted<QlObject*> variant_to_object(QlObject* object) {
  const VariantInstance* variant = as_variant(object);
  if (variant && variant->type == kVariantObject) {
    retain_object(variant->value.object);
    return {variant->value.object};
  }
  return fault_of<QlObject*>(object);
}

}  // namespace ql
