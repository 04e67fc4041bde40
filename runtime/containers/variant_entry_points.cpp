// The variant entry points. Conversions that fail raise here, at the boundary, holding nothing.
#include "containers/variant_conversion.h"
#include "objects/exceptions.h"
#include "objects/objects.h"
#include "quillet/variants.h"
#include "values/string.h"

namespace {

template <typename T>
T finish(ql::Converted<T> converted) {
  if (converted.fault != ql::VariantFault::kNone) {
    ql::raise_new_exception(ql::exception_class_for(converted.fault));
  }
  return converted.value;
}

QlObject* as_object(ql::VariantInstance* variant) { return reinterpret_cast<QlObject*>(variant); }

}  // namespace

QlObject* intToVariant(int32_t value) {
  ql::VariantInstance* variant = ql::new_variant(ql::kVariantInteger);
  variant->value.integer = value;
  return as_object(variant);
}

QlObject* doubleToVariant(double value) {
  ql::VariantInstance* variant = ql::new_variant(ql::kVariantDouble);
  variant->value.number = value;
  return as_object(variant);
}

QlObject* stringToVariant(QlString value) {
  ql::VariantInstance* variant = ql::new_variant(ql::kVariantString);
  ql::string_retain(value);
  variant->value.string = value;
  return as_object(variant);
}

QlObject* booleanToVariant(bool value) {
  ql::VariantInstance* variant = ql::new_variant(ql::kVariantBoolean);
  variant->value.integer = value ? 1 : 0;
  return as_object(variant);
}

QlObject* objectToVariant(QlObject* value) {
  ql::VariantInstance* variant = ql::new_variant(ql::kVariantObject);
  ql::retain_object(value);
  variant->value.object = value;
  return as_object(variant);
}

QlObject* getNilVariant(void) { return as_object(ql::new_variant(ql::kVariantNil)); }

int32_t variantToInt(QlObject* variant) { return finish(ql::variant_to_int(variant)); }
double variantToDouble(QlObject* variant) { return finish(ql::variant_to_double(variant)); }
bool variantToBoolean(QlObject* variant) { return finish(ql::variant_to_boolean(variant)); }
QlString variantToString(QlObject* variant) { return finish(ql::variant_to_string(variant)); }
QlObject* variantToObject(QlObject* variant) { return finish(ql::variant_to_object(variant)); }

int32_t VarType(QlObject* variant) { return ql::variant_type(variant); }
bool IsNumeric(QlObject* variant) {
  int32_t type = ql::variant_type(variant);
  return type == ql::kVariantInteger || type == ql::kVariantDouble;
}
bool IsNull(QlObject* variant) { return ql::variant_type(variant) == ql::kVariantNil; }
