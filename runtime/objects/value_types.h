// The value types of properties ("String", "Integer", "Boolean", ...) and applying a property given as text,
// as window descriptions give every property.
#pragma once

#include <stdint.h>

#include <string_view>

#include "objects/class_object.h"
#include "quillet/types.h"

namespace ql {

// A property's type when it is not a class: told apart from a class object by its first word, 0.
struct ValueType {
  uint32_t marker = kValueTypeMarker;  // must stay the first member
  const char* name;
  QlString (*to_text)(intptr_t value);                      // null: no text form
  bool (*from_text)(std::string_view text, intptr_t& out);  // null: not set from text
  void (*release)(intptr_t value);                          // null: nothing to give back
  void (*retain)(intptr_t value);
};

extern const ValueType kStringType;
extern const ValueType kIntegerType;
extern const ValueType kBooleanType;
extern const ValueType kSingleType;
extern const ValueType kDoubleType;
extern const ValueType kFormType;
extern const ValueType kColorType;

// The value type of that name (case folded), or null.
const ValueType* value_type_named(std::string_view name);

// Decimal text with an optional sign, as property texts write numbers; false for anything else.
bool parse_decimal(std::string_view text, int32_t& out);

// Applies a property pair to object: the first record of that name on its class chain; a class-typed
// property takes the project item whose number the text gives. Pairs without a record, setter or type, and
// texts the type cannot convert, are ignored: false then.
bool apply_property_text(QlObject* object, std::string_view name, std::string_view value);

}  // namespace ql
