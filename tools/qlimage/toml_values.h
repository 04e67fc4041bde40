// Typed values of the project file shared by the readers of its tables: integers in a range, booleans,
// texts, symbols and file references, each reporting what is wrong with the line it is on.
#pragma once

#include <toml++/toml.h>

#include <optional>
#include <string>

#include "qlimage/project.h"
#include "qlimage/toml_reading.h"

namespace qlimage {

std::optional<int64_t> integer_value(TomlContext& c, const toml::node& node, const std::string& what,
                                     int64_t low, int64_t high);
std::optional<bool> boolean_value(TomlContext& c, const toml::node& node, const std::string& what);
std::optional<std::string> symbol_value(TomlContext& c, const toml::node& node, const std::string& what);
// A path, or "@NAME" for a file given on the command line; read later by load_project_files.
std::optional<FileSource> file_value(TomlContext& c, const toml::node& node, const std::string& what);

// The node under key, reporting `what` is missing when it is not there.
const toml::node* required(TomlContext& c, const toml::table& table, std::string_view key,
                           const std::string& where);

// Calls read for each table of the array under key ([[key]] or an inline array of tables).
template <typename Read>
void each_table(TomlContext& c, const toml::table& parent, std::string_view key, const std::string& where,
                Read read) {
  const toml::node* node = parent.get(key);
  if (!node) return;
  const toml::array* list = node->as_array();
  if (!list) {
    c.error(node->source(), where + " " + std::string(key) + " must be an array of tables ([[" +
                                std::string(key) + "]] or [{ ... }, ...])");
    return;
  }
  for (size_t i = 0; i < list->size(); ++i) {
    const toml::node& item = *list->get(i);
    if (const toml::table* table = item.as_table()) {
      read(*table, i);
    } else {
      c.error(item.source(),
              where + " " + std::string(key) + " entry " + std::to_string(i) + " must be a table");
    }
  }
}

}  // namespace qlimage
