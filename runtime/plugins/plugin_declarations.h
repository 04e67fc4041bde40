// Member declarations of plug-in records, such as "MouseDown(X As Integer, Y As Integer) As Boolean": a
// name, optionally parameters in parentheses, optionally a result type.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

struct DeclaredParameter {
  std::string name;
  std::string type;
  bool by_reference = false;  // "ByRef"; "ByVal" and no word pass by value
};

struct Declaration {
  std::string name;
  std::vector<DeclaredParameter> parameters;
  std::string result;  // empty: none
};

// Whether a type name names a type: one of the six built-in names, or a class.
using TypeCheck = std::function<bool(std::string_view type_name)>;

// The declaration, or nothing when the text does not have that shape or names a type the check refuses.
std::optional<Declaration> parse_declaration(std::string_view text, const TypeCheck& known_type);

// "Integer", "String", "Boolean", "Single", "Double" and "Color", case ignored.
bool builtin_type_name(std::string_view name);

// The parameters as an event keeps them: "X As Integer, Y As Integer" ("ByRef " kept where given).
std::string parameter_text(const Declaration& declaration);

}  // namespace ql
