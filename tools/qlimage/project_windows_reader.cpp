// Reading [[windows]] and [[menus]].
#include "qlimage/project_windows_reader.h"

#include "qlimage/project_classes_reader.h"
#include "qlimage/toml_values.h"

namespace qlimage {
namespace {

constexpr uint32_t kMaxControlCount = 10000;
constexpr int kMaxMenuDepth = 8;

std::optional<PropertyValue> property_value(TomlContext& c, const toml::node& node, const std::string& what) {
  if (const toml::table* table = node.as_table()) {
    check_keys(c, *table, what, {"file"});
    const toml::node* file = required(c, *table, "file", what);
    if (!file) return std::nullopt;
    std::optional<FileSource> source = file_value(c, *file, what + " file");
    if (!source) return std::nullopt;
    return PropertyValue{{}, std::move(source)};
  }
  std::optional<std::string> text = text_value(c, node, what);
  if (!text) return std::nullopt;
  return PropertyValue{*text, std::nullopt};
}

void read_properties(TomlContext& c, const toml::table& table, const std::string& where,
                     std::vector<Property>& out) {
  const toml::node* node = table.get("properties");
  if (!node) return;
  const toml::array* list = node->as_array();
  if (!list) {
    c.error(node->source(), where + " properties must be an array of [name, value] pairs");
    return;
  }
  for (const toml::node& item : *list) {
    const toml::array* pair = item.as_array();
    if (!pair || pair->size() != 2) {
      c.error(item.source(),
              where +
                  " properties: each property is a pair [\"Name\", \"value\"], the value a text "
                  "or { file = \"...\" }");
      continue;
    }
    std::optional<std::string> name = text_value(c, *pair->get(0), where + " property name");
    if (!name) continue;
    if (name->empty()) {
      c.error(item.source(), where + " has a property without a name");
      continue;
    }
    std::optional<PropertyValue> value =
        property_value(c, *pair->get(1), where + " property '" + *name + "'");
    if (value) out.push_back({*name, std::move(*value)});
  }
}

std::string text_or(const std::vector<Property>& properties, const char* name, const std::string& otherwise) {
  for (const Property& property : properties) {
    if (property.name == name) return property.value.text;
  }
  return otherwise;
}

ControlDescription read_control(TomlContext& c, const toml::table& table, size_t number,
                                const std::string& window) {
  ControlDescription out;
  out.line = table.source().begin.line;
  read_properties(c, table, window + " control " + std::to_string(number), out.properties);
  std::string where = window + " control '" + text_or(out.properties, "Name", "") + "' (control " +
                      std::to_string(number) + ")";
  check_keys(c, table, where, {"class", "superclass", "hooks", "size", "properties", "count"});
  const toml::node* cls = table.get("class");
  const toml::node* superclass = table.get("superclass");
  if (cls && superclass) {
    c.error(cls->source(), where +
                               " gives both class and superclass; give class for a class of the list or of "
                               "the runtime, or superclass (with hooks) for a class made for this control");
  } else if (!cls && !superclass) {
    c.error(table.source(), where + " needs a class, or a superclass for a class made for this control");
  }
  if (cls) {
    out.class_name = text_value(c, *cls, where + " class").value_or("");
    if (table.get("hooks") || table.get("size")) {
      c.error(cls->source(), where +
                                 ": hooks and size belong to a class made for the control; give superclass "
                                 "instead of class, or put the hooks on the [[classes]] entry");
    }
  } else if (superclass) {
    out.superclass = text_value(c, *superclass, where + " superclass").value_or("");
    read_control_class(c, table, where, out);
  }
  if (const toml::node* count = table.get("count")) {
    if (std::optional<int64_t> n = integer_value(c, *count, where + " count", 1, kMaxControlCount)) {
      out.count = static_cast<uint32_t>(*n);
    }
  }
  return out;
}

void read_binding(TomlContext& c, const toml::table& table, const std::string& where,
                  WindowDescription& window) {
  check_keys(c, table, where, {"first", "second", "binder", "first_part", "second_part"});
  BindingDescription binding;
  const toml::node* first = required(c, table, "first", where);
  const toml::node* second = required(c, table, "second", where);
  const toml::node* binder = required(c, table, "binder", where);
  if (!first || !second || !binder) return;
  std::optional<int64_t> a = integer_value(c, *first, where + " first", 0, INT32_MAX);
  std::optional<int64_t> b = integer_value(c, *second, where + " second", 0, INT32_MAX);
  std::optional<std::string> cls = text_value(c, *binder, where + " binder");
  if (!a || !b || !cls) return;
  binding.first = static_cast<int32_t>(*a);
  binding.second = static_cast<int32_t>(*b);
  binding.binder = *cls;
  if (const toml::node* part = table.get("first_part"))
    binding.first_part = text_value(c, *part, where).value_or("");
  if (const toml::node* part = table.get("second_part"))
    binding.second_part = text_value(c, *part, where).value_or("");
  window.bindings.push_back(std::move(binding));
}

void read_window(TomlContext& c, const toml::table& table, size_t index, Project& project) {
  WindowDescription window;
  window.line = table.source().begin.line;
  std::string where = "[[windows]] " + std::to_string(index);
  if (const toml::node* symbol = required(c, table, "symbol", where)) {
    window.symbol = symbol_value(c, *symbol, where + " symbol").value_or("");
    if (!window.symbol.empty()) where = "window '" + window.symbol + "'";
  }
  check_keys(c, table, where, {"symbol", "class", "properties", "controls", "bindings"});
  if (const toml::node* cls = required(c, table, "class", where)) {
    window.class_name = text_value(c, *cls, where + " class").value_or("");
  }
  read_properties(c, table, where, window.properties);
  each_table(c, table, "controls", where, [&](const toml::table& control, size_t number) {
    window.controls.push_back(read_control(c, control, number, where));
  });
  each_table(c, table, "bindings", where, [&](const toml::table& binding, size_t number) {
    read_binding(c, binding, where + " binding " + std::to_string(number), window);
  });
  project.windows.push_back(std::move(window));
}

std::optional<std::string> optional_text(TomlContext& c, const toml::table& table, std::string_view key,
                                         const std::string& where) {
  const toml::node* node = table.get(key);
  if (!node) return std::string();
  return text_value(c, *node, where + " " + std::string(key));
}

void read_menu_items(TomlContext& c, const toml::table& table, const std::string& path, int depth,
                     std::vector<MenuItemDescription>& out);

void read_menu_item(TomlContext& c, const toml::table& table, const std::string& parent, int depth,
                    std::vector<MenuItemDescription>& out) {
  MenuItemDescription item;
  std::string where = parent + " > item " + std::to_string(out.size());
  if (const toml::node* text = required(c, table, "text", where)) {
    item.text = text_value(c, *text, where + " text").value_or("");
    where = parent + " > " + item.text;
  }
  where = "menu item " + where;
  check_keys(c, table, where,
             {"text", "name", "index", "key", "class", "items", "third_text", "fourth_text"});
  item.name = optional_text(c, table, "name", where).value_or("");
  item.key = optional_text(c, table, "key", where).value_or("");
  item.third_text = optional_text(c, table, "third_text", where).value_or("");
  item.fourth_text = optional_text(c, table, "fourth_text", where).value_or("");
  if (const toml::node* cls = table.get("class"))
    item.class_name = text_value(c, *cls, where + " class").value_or("");
  if (const toml::node* index = table.get("index")) {
    // 2147483648 (0x80000000) is the index that marks an item outside any item array.
    if (std::optional<int64_t> n = integer_value(c, *index, where + " index", INT32_MIN, 0x80000000ll)) {
      item.index = static_cast<int32_t>(static_cast<uint32_t>(*n));
    }
  }
  if (table.get("items")) {
    item.has_submenu = true;
    if (depth >= kMaxMenuDepth) {
      c.error(table.source(), where + ": submenus nest more than " + std::to_string(kMaxMenuDepth) + " deep");
    } else {
      read_menu_items(c, table, parent + " > " + item.text, depth + 1, item.items);
    }
  }
  out.push_back(std::move(item));
}

void read_menu_items(TomlContext& c, const toml::table& table, const std::string& path, int depth,
                     std::vector<MenuItemDescription>& out) {
  each_table(c, table, "items", "menu item " + path,
             [&](const toml::table& item, size_t) { read_menu_item(c, item, path, depth, out); });
}

}  // namespace

void read_windows(TomlContext& c, const toml::table& root, Project& project) {
  each_table(c, root, "windows", "the project file",
             [&](const toml::table& table, size_t index) { read_window(c, table, index, project); });
}

void read_menus(TomlContext& c, const toml::table& root, Project& project) {
  each_table(c, root, "menus", "the project file", [&](const toml::table& table, size_t index) {
    MenuDescription menu;
    std::string where = "[[menus]] " + std::to_string(index);
    if (const toml::node* text = required(c, table, "text", where)) {
      menu.text = text_value(c, *text, where + " text").value_or("");
      where = "menu " + menu.text;
    }
    check_keys(c, table, where, {"text", "name", "items"});
    menu.name = optional_text(c, table, "name", where).value_or("");
    read_menu_items(c, table, menu.text, 1, menu.items);
    project.menus.push_back(std::move(menu));
  });
}

}  // namespace qlimage
