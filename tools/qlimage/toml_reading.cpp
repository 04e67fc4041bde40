// What the project readers share: errors naming file and line, and the checks of keys and types.
#include "qlimage/toml_reading.h"

#include "qlimage/text_encoding.h"

namespace qlimage {
namespace {

std::string join(std::initializer_list<std::string_view> words) {
  std::string out;
  for (std::string_view word : words) out += (out.empty() ? "" : ", ") + std::string(word);
  return out;
}

}  // namespace

void check_keys(TomlContext& c, const toml::table& table, std::string_view where,
                std::initializer_list<std::string_view> known) {
  for (auto&& [key, node] : table) {
    bool found = false;
    for (std::string_view name : known) found = found || key.str() == name;
    if (!found) {
      c.error(key.source(), "unknown key '" + std::string(key.str()) + "' in " + std::string(where) +
                                "; the keys allowed there are: " + join(known));
    }
  }
}

std::string type_name(toml::node_type type) {
  switch (type) {
    case toml::node_type::table:
      return "a table";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::string:
      return "a string";
    case toml::node_type::integer:
      return "an integer";
    case toml::node_type::floating_point:
      return "a number";
    case toml::node_type::boolean:
      return "a boolean";
    default:
      return "a date or time";
  }
}

std::optional<std::string> text_value(TomlContext& c, const toml::node& node, const std::string& what) {
  const toml::value<std::string>* value = node.as_string();
  if (!value) {
    c.error(node.source(), what + " must be a string, not " + type_name(node.type()));
    return std::nullopt;
  }
  std::string bad;
  std::optional<std::string> text = utf8_to_windows1252(value->get(), &bad);
  if (!text) c.error(node.source(), what + " holds " + bad + ", which Windows-1252 cannot represent");
  return text;
}

bool is_name(std::string_view name) {
  if (name.empty()) return false;
  for (char ch : name) {
    if (ch <= ' ' || ch >= 0x7F) return false;
  }
  return true;
}

}  // namespace qlimage
