// Reading typed values of the project file.
#include "qlimage/toml_values.h"

namespace qlimage {

std::optional<int64_t> integer_value(TomlContext& c, const toml::node& node, const std::string& what,
                                     int64_t low, int64_t high) {
  const toml::value<int64_t>* value = node.as_integer();
  if (!value || value->get() < low || value->get() > high) {
    c.error(node.source(),
            what + " must be an integer from " + std::to_string(low) + " to " + std::to_string(high));
    return std::nullopt;
  }
  return value->get();
}

std::optional<bool> boolean_value(TomlContext& c, const toml::node& node, const std::string& what) {
  if (const toml::value<bool>* value = node.as_boolean()) return value->get();
  c.error(node.source(), what + " must be true or false");
  return std::nullopt;
}

std::optional<std::string> symbol_value(TomlContext& c, const toml::node& node, const std::string& what) {
  const toml::value<std::string>* value = node.as_string();
  if (!value || !is_name(value->get())) {
    c.error(node.source(), what + " must name a symbol of the compiled code");
    return std::nullopt;
  }
  return value->get();
}

std::optional<FileSource> file_value(TomlContext& c, const toml::node& node, const std::string& what) {
  const toml::value<std::string>* value = node.as_string();
  if (!value || value->get().empty() || value->get() == "@") {
    c.error(node.source(),
            what +
                " must be a file path (relative to the project file) or \"@NAME\" for the file "
                "that --file NAME=PATH gives");
    return std::nullopt;
  }
  FileSource file;
  file.written = value->get();
  return file;
}

const toml::node* required(TomlContext& c, const toml::table& table, std::string_view key,
                           const std::string& where) {
  const toml::node* node = table.get(key);
  if (!node) c.error(table.source(), where + " needs " + std::string(key));
  return node;
}

}  // namespace qlimage
