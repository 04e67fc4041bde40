// What every reader of the project file shares: errors that name the file and the line, the check for
// unknown keys, and texts converted to the image's character set.
#pragma once

#include <toml++/toml.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "qlimage/diagnostics.h"

namespace qlimage {

struct TomlContext {
  const std::string& path;
  Diagnostics& diagnostics;
  size_t errors_at_start = diagnostics.errors.size();

  void error(const toml::source_region& where, const std::string& message) {
    diagnostics.error(path + ":" + std::to_string(where.begin.line) + ": " + message);
  }
  bool ok() const { return diagnostics.errors.size() == errors_at_start; }
};

// Reports every key of `table` that is not among `known`; `where` names the table in the message.
void check_keys(TomlContext& c, const toml::table& table, std::string_view where,
                std::initializer_list<std::string_view> known);

std::string type_name(toml::node_type type);  // "an integer", "a table", ...

// A text of the image: a TOML string converted to the runtime's character set.
std::optional<std::string> text_value(TomlContext& c, const toml::node& node, const std::string& what);

// A symbol or import name: printable ASCII without blanks.
bool is_name(std::string_view name);

}  // namespace qlimage
