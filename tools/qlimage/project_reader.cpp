// Reading the project description (TOML), with errors naming the file, the line and the key.
#include "qlimage/project_reader.h"

#include <toml++/toml.h>

#include <set>

#include "qlimage/project_classes_reader.h"
#include "qlimage/toml_reading.h"

namespace qlimage {
namespace {

constexpr size_t kMaxImportName = 255;

const toml::table* subtable(TomlContext& c, const toml::table& parent, std::string_view key) {
  const toml::node* node = parent.get(key);
  if (!node) return nullptr;
  if (!node->is_table()) {
    c.error(node->source(), "'" + std::string(key) + "' must be a table ([" + std::string(key) + "])");
    return nullptr;
  }
  return node->as_table();
}

void read_application(TomlContext& c, const toml::table& table, Project& project) {
  check_keys(c, table, "[application]", {"entry"});
  if (const toml::node* entry = table.get("entry")) {
    const toml::value<std::string>* value = entry->as_string();
    if (!value || !is_name(value->get())) {
      c.error(entry->source(), "[application] entry must name the symbol of the entry routine");
    } else {
      project.entry = value->get();
    }
  }
}

void read_strings(TomlContext& c, const toml::table& table, Project& project) {
  for (auto&& [key, node] : table) {
    std::string symbol(key.str());
    if (!is_name(symbol)) {
      c.error(key.source(), "[strings] key '" + symbol + "' is not a symbol name");
      continue;
    }
    std::optional<std::string> text = text_value(c, node, "[strings] " + symbol);
    if (!text) continue;
    if (text->empty()) {
      c.error(node.source(), "[strings] " + symbol +
                                 " is empty; a runtime string of length 0 is the null pointer, so pass "
                                 "nullptr instead of declaring a constant");
      continue;
    }
    project.strings.push_back({symbol, *text});
  }
}

void read_imports(TomlContext& c, const toml::table& table, Project& project) {
  for (auto&& [key, node] : table) {
    std::string symbol(key.str());
    const toml::value<std::string>* value = node.as_string();
    if (!is_name(symbol)) {
      c.error(key.source(), "[imports] key '" + symbol + "' is not a symbol name");
    } else if (!value || !is_name(value->get()) || value->get().size() > kMaxImportName) {
      c.error(node.source(), "[imports] " + symbol +
                                 " must be an import name of 1 to 255 printable characters without blanks");
    } else if (value->get().starts_with("!X") &&
               (value->get().find('!', 2) == std::string::npos || value->get().find('!', 2) == 2 ||
                value->get().back() == '!')) {
      c.error(node.source(),
              "[imports] " + symbol + ": a library import is written \"!Xlibrary.dll!Routine\"");
    } else if (value->get() == "!") {
      c.error(node.source(), "[imports] " + symbol + ": \"!\" alone names nothing");
    } else {
      project.imports.push_back({symbol, value->get()});
    }
  }
}

std::optional<std::string> file_code(TomlContext& c, const toml::table& table, std::string_view key,
                                     const std::string& where) {
  const toml::node* node = table.get(key);
  if (!node) return std::string();
  std::optional<std::string> code = text_value(c, *node, where + " " + std::string(key));
  if (code && !code->empty() && code->size() != 4) {
    c.error(node->source(), where + " " + std::string(key) + " must be empty or four characters");
    return std::nullopt;
  }
  return code;
}

void read_file_type(TomlContext& c, const toml::node& node, Settings& settings) {
  const toml::table* table = node.as_table();
  std::string where = "[[settings.file_types]]";
  if (!table) {
    c.error(node.source(), "each entry of settings.file_types must be a table");
    return;
  }
  check_keys(c, *table, where, {"name", "first_code", "second_code", "extensions"});
  FileType type;
  const toml::node* name = table->get("name");
  if (!name) {
    c.error(table->source(), where + " needs a name");
    return;
  }
  std::optional<std::string> name_text = text_value(c, *name, where + " name");
  std::optional<std::string> first = file_code(c, *table, "first_code", where);
  std::optional<std::string> second = file_code(c, *table, "second_code", where);
  if (!name_text || !first || !second) return;
  type.name = *name_text;
  type.first_code = *first;
  type.second_code = *second;
  if (const toml::node* extensions = table->get("extensions")) {
    const toml::array* list = extensions->as_array();
    if (!list) {
      c.error(extensions->source(), where + " extensions must be an array of strings such as [\".txt\"]");
      return;
    }
    for (const toml::node& item : *list) {
      std::optional<std::string> extension = text_value(c, item, where + " extension");
      if (!extension) continue;
      if (extension->size() < 2 || (*extension)[0] != '.' || extension->find(';') != std::string::npos) {
        c.error(item.source(), where + " extension '" + *extension + "' must begin with '.' and hold no ';'");
        continue;
      }
      type.extensions.push_back(*extension);
    }
  }
  settings.file_types.push_back(std::move(type));
}

void read_settings(TomlContext& c, const toml::table& table, Project& project) {
  check_keys(c, table, "[settings]",
             {"font_flag", "script_code", "file_types", "messages", "mdi", "mdi_title"});
  Settings settings;
  if (const toml::node* node = table.get("font_flag")) {
    const toml::value<int64_t>* value = node->as_integer();
    if (!value || value->get() < 0 || value->get() > 255) {
      c.error(node->source(), "[settings] font_flag must be an integer from 0 to 255");
    } else {
      settings.font_flag = static_cast<uint8_t>(value->get());
    }
  }
  if (const toml::node* node = table.get("script_code")) {
    const toml::value<int64_t>* value = node->as_integer();
    if (!value || value->get() < 0 || value->get() > 0xFFFFFFFFll) {
      c.error(node->source(), "[settings] script_code must be an integer from 0 to 4294967295");
    } else {
      settings.script_code = static_cast<uint32_t>(value->get());
    }
  }
  if (const toml::node* node = table.get("file_types")) {
    if (const toml::array* list = node->as_array()) {
      for (const toml::node& item : *list) read_file_type(c, item, settings);
    } else {
      c.error(node->source(), "[settings] file_types must be an array of tables ([[settings.file_types]])");
    }
  }
  if (const toml::node* node = table.get("messages")) {
    if (const toml::array* list = node->as_array()) {
      for (const toml::node& item : *list) {
        std::optional<std::string> text = text_value(c, item, "[settings] message");
        if (text) settings.messages.push_back(*text);
      }
    } else {
      c.error(node->source(), "[settings] messages must be an array of strings");
    }
  }
  if (const toml::node* node = table.get("mdi")) {
    if (const toml::value<bool>* value = node->as_boolean()) {
      settings.mdi = value->get();
    } else {
      c.error(node->source(), "[settings] mdi must be true or false");
    }
  }
  if (const toml::node* node = table.get("mdi_title")) {
    if (std::optional<std::string> title = text_value(c, *node, "[settings] mdi_title")) {
      settings.mdi_title = *title;
    }
  }
  project.settings = std::move(settings);
}

void check_symbols_unique(TomlContext& c, const Project& project) {
  std::set<std::string> seen;
  for (const StringConstant& constant : project.strings) seen.insert(constant.symbol);
  for (const ImportedSymbol& import : project.imports) {
    if (seen.count(import.symbol)) {
      c.diagnostics.error(c.path + ": symbol '" + import.symbol +
                          "' is listed both under [strings] and under [imports]; keep one");
    }
  }
}

}  // namespace

std::optional<Project> read_project(const std::string& path, std::string_view text,
                                    Diagnostics& diagnostics) {
  TomlContext c{path, diagnostics};
  toml::table root;
  try {
    root = toml::parse(text, path);
  } catch (const toml::parse_error& error) {
    c.error(error.source(), "not a valid TOML file: " + std::string(error.description()));
    return std::nullopt;
  }
  Project project;
  project.path = path;
  check_keys(c, root, "the project file", {"application", "strings", "imports", "settings", "classes"});
  if (const toml::table* table = subtable(c, root, "application")) read_application(c, *table, project);
  if (const toml::table* table = subtable(c, root, "strings")) read_strings(c, *table, project);
  if (const toml::table* table = subtable(c, root, "imports")) read_imports(c, *table, project);
  if (const toml::table* table = subtable(c, root, "settings")) read_settings(c, *table, project);
  if (const toml::node* classes = root.get("classes")) read_classes(c, *classes, project);
  check_symbols_unique(c, project);
  if (!c.ok()) return std::nullopt;
  return project;
}

}  // namespace qlimage
