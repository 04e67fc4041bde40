// The property value types and property texts.
#include "objects/value_types.h"

#include <iterator>

#include "objects/objects.h"
#include "objects/project_objects.h"
#include "values/string.h"

namespace ql {

namespace {

QlString string_to_text(intptr_t value) {
  auto s = reinterpret_cast<QlString>(value);
  string_retain(s);
  return s;
}
bool string_from_text(std::string_view text, intptr_t& out) {
  out = reinterpret_cast<intptr_t>(string_from_bytes(text.data(), static_cast<int32_t>(text.size())));
  return true;
}
void string_release_value(intptr_t value) { string_release(reinterpret_cast<QlString>(value)); }
void string_retain_value(intptr_t value) { string_retain(reinterpret_cast<QlString>(value)); }

QlString integer_to_text(intptr_t value) { return string_from_int(static_cast<int32_t>(value)); }
bool integer_from_text(std::string_view text, intptr_t& out) {
  int32_t value;
  if (!parse_decimal(text, value)) return false;
  out = value;
  return true;
}

QlString boolean_to_text(intptr_t value) { return string_from_cstr(value ? "True" : "False"); }
bool boolean_from_text(std::string_view text, intptr_t& out) {
  out = names_equal(text, "True") ? 1 : 0;
  return true;
}

}  // namespace

const ValueType kStringType = {kValueTypeMarker,     "String",           string_to_text, string_from_text,
                               string_release_value, string_retain_value};
const ValueType kIntegerType = {kValueTypeMarker,  "Integer", integer_to_text,
                                integer_from_text, nullptr,   nullptr};
const ValueType kBooleanType = {kValueTypeMarker,  "Boolean", boolean_to_text,
                                boolean_from_text, nullptr,   nullptr};
const ValueType kSingleType = {kValueTypeMarker, "Single", nullptr, nullptr, nullptr, nullptr};
const ValueType kDoubleType = {kValueTypeMarker, "Double", nullptr, nullptr, nullptr, nullptr};
const ValueType kFormType = {kValueTypeMarker, "Form", nullptr, nullptr, nullptr, nullptr};
const ValueType kColorType = {kValueTypeMarker,  "Color", integer_to_text,
                              integer_from_text, nullptr, nullptr};

const ValueType* value_type_named(std::string_view name) {
  static const ValueType* const kTypes[] = {&kStringType, &kIntegerType, &kBooleanType, &kSingleType,
                                            &kDoubleType, &kFormType,    &kColorType};
  for (const ValueType* type : kTypes) {
    if (names_equal(type->name, name)) return type;
  }
  return nullptr;
}

bool parse_decimal(std::string_view text, int32_t& out) {
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  if (at == text.size()) return false;
  int64_t magnitude = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > 0x80000000LL) return false;
  }
  if (!negative && magnitude > 0x7FFFFFFF) return false;
  out = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

bool apply_property_text(QlObject* object, std::string_view name, std::string_view value) {
  const PropertyRecord* property = find_property(class_of(object), name);
  if (!property || !property->setter || !property->type) return false;
  using Setter = void (*)(QlObject*, intptr_t, intptr_t);
  auto setter = reinterpret_cast<Setter>(property->setter);
  if (property_class_type(*property)) {
    int32_t number;
    if (!parse_decimal(value, number)) return false;
    setter(object, property->parameter, reinterpret_cast<intptr_t>(project_object(number)));
    return true;
  }
  auto* type = static_cast<const ValueType*>(property->type);
  intptr_t converted;
  if (!type->from_text || !type->from_text(value, converted)) return false;
  setter(object, property->parameter, converted);
  if (type->release) type->release(converted);
  return true;
}

}  // namespace ql
