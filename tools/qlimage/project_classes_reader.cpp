// Reading the project's [[classes]] in class-index order.
#include "qlimage/project_classes_reader.h"

namespace qlimage {
namespace {

// Reads one class entry; `where` names it in messages ("[[classes]] 3 'Cloze'").
struct EntryReader {
  TomlContext& c;
  const toml::table& table;
  std::string where;

  std::optional<std::string> name(const toml::node& node, const std::string& what) {
    std::optional<std::string> text = text_value(c, node, where + " " + what);
    if (text && text->empty()) {
      c.error(node.source(), where + " " + what + " is empty");
      return std::nullopt;
    }
    return text;
  }

  std::optional<std::string> symbol(const toml::node& node, const std::string& what) {
    const toml::value<std::string>* value = node.as_string();
    if (!value || !is_name(value->get())) {
      c.error(node.source(), where + " " + what + " must name a symbol of the compiled code");
      return std::nullopt;
    }
    return value->get();
  }

  // Calls `read` for each entry of the array under `key`, which must hold tables when `tables` is set.
  template <typename Read>
  void each(std::string_view key, bool tables, Read read) {
    const toml::node* node = table.get(key);
    if (!node) return;
    const toml::array* list = node->as_array();
    if (!list) {
      c.error(node->source(), where + " " + std::string(key) + " must be an array");
      return;
    }
    for (const toml::node& item : *list) {
      if (tables && !item.is_table()) {
        c.error(item.source(),
                where + " " + std::string(key) + " must hold tables such as { name = ..., code = ... }");
        continue;
      }
      read(item);
    }
  }

  void read_size(const toml::node& node, ClassDescription& out) {
    if (const toml::value<int64_t>* value = node.as_integer()) {
      if (value->get() < 0 || value->get() > int64_t{UINT32_MAX}) {
        c.error(node.source(), where + " size must be a number of bytes or the name of a data symbol");
      } else {
        out.size = static_cast<uint32_t>(value->get());
      }
      return;
    }
    if (std::optional<std::string> symbol_name = symbol(node, "size")) out.size_symbol = *symbol_name;
  }

  void read_method(const toml::node& node, ClassDescription& out) {
    const toml::table& entry = *node.as_table();
    check_keys(c, entry, where + " methods", {"name", "code"});
    ClassMethod method;
    const toml::node* method_name = entry.get("name");
    if (!method_name) {
      c.error(node.source(), where + " methods: each method needs a name");
      return;
    }
    std::optional<std::string> text = name(*method_name, "method name");
    if (!text) return;
    method.name = *text;
    if (const toml::node* code = entry.get("code")) {
      std::optional<std::string> code_symbol = symbol(*code, "method '" + method.name + "' code");
      if (!code_symbol) return;
      method.code = *code_symbol;
    }
    out.methods.push_back(std::move(method));
  }

  void read_hook(const toml::node& node, ClassDescription& out) {
    const toml::table& entry = *node.as_table();
    check_keys(c, entry, where + " hooks", {"name", "code", "key"});
    const toml::node* hook_name = entry.get("name");
    const toml::node* code = entry.get("code");
    if (!hook_name || !code) {
      c.error(node.source(), where + " hooks: each hook needs a name and code");
      return;
    }
    std::optional<std::string> text = name(*hook_name, "hook name");
    if (!text) return;
    std::optional<std::string> code_symbol = symbol(*code, "hook '" + *text + "' code");
    ClassHook hook{*text, code_symbol.value_or(""), 0};
    if (const toml::node* key = entry.get("key")) {
      const toml::value<int64_t>* value = key->as_integer();
      if (!value || value->get() < INT32_MIN || value->get() > int64_t{UINT32_MAX}) {
        c.error(key->source(), where + " hook '" + hook.name + "' key must be a 32-bit integer");
        return;
      }
      hook.key = static_cast<uint32_t>(value->get());
    }
    if (code_symbol) out.hooks.push_back(std::move(hook));
  }

  void read_menu_handler(const toml::node& node, ClassDescription& out) {
    const toml::table& entry = *node.as_table();
    check_keys(c, entry, where + " menu_handlers", {"item", "code"});
    const toml::node* item = entry.get("item");
    const toml::node* code = entry.get("code");
    if (!item || !code) {
      c.error(node.source(), where + " menu_handlers: each menu handler needs an item and code");
      return;
    }
    std::optional<std::string> text = name(*item, "menu item name");
    if (!text) return;
    std::optional<std::string> code_symbol = symbol(*code, "menu handler '" + *text + "' code");
    if (code_symbol) out.menu_handlers.push_back({*text, *code_symbol});
  }

  void read_slot(const toml::node& node, ClassDescription& out) {
    if (node.is_integer()) {
      if (node.as_integer()->get() == 0) {
        out.method_table.emplace_back();
      } else {
        c.error(node.source(), where + " method_table holds code symbols, or 0 for an empty slot");
      }
      return;
    }
    if (std::optional<std::string> code_symbol = symbol(node, "method_table entry")) {
      out.method_table.push_back(*code_symbol);
    }
  }

  void read_compiled(ClassDescription& out) {
    check_keys(c, table, where,
               {"kind", "name", "superclass", "size", "constructor", "destructor", "interface", "interfaces",
                "methods", "hooks", "menu_handlers", "method_table"});
    if (const toml::node* node = table.get("superclass")) {
      if (std::optional<std::string> text = name(*node, "superclass")) out.superclass = *text;
    }
    if (const toml::node* node = table.get("size")) read_size(*node, out);
    if (const toml::node* node = table.get("constructor")) {
      out.constructor = symbol(*node, "constructor").value_or("");
    }
    if (const toml::node* node = table.get("destructor")) {
      out.destructor = symbol(*node, "destructor").value_or("");
    }
    if (const toml::node* node = table.get("interface")) {
      if (const toml::value<bool>* value = node->as_boolean()) {
        out.is_interface = value->get();
      } else {
        c.error(node->source(), where + " interface must be true or false");
      }
    }
    each("interfaces", false, [&](const toml::node& item) {
      if (std::optional<std::string> text = name(item, "interface")) out.interfaces.push_back(*text);
    });
    each("methods", true, [&](const toml::node& item) { read_method(item, out); });
    each("hooks", true, [&](const toml::node& item) { read_hook(item, out); });
    each("menu_handlers", true, [&](const toml::node& item) { read_menu_handler(item, out); });
    each("method_table", false, [&](const toml::node& item) { read_slot(item, out); });
  }
};

ClassDescription read_class(TomlContext& c, const toml::table& table, size_t index) {
  EntryReader reader{c, table, "[[classes]] " + std::to_string(index)};
  ClassDescription out;
  if (const toml::node* kind = table.get("kind")) {
    const toml::value<std::string>* value = kind->as_string();
    if (!value || (value->get() != "compiled" && value->get() != "reference")) {
      c.error(kind->source(), reader.where + " kind must be \"compiled\" or \"reference\"");
      return out;
    }
    out.reference = value->get() == "reference";
  }
  if (const toml::node* node = table.get("name")) {
    std::optional<std::string> text = text_value(c, *node, reader.where + " name");
    if (!text) return out;
    out.name = *text;
    if (!out.name.empty()) reader.where += " '" + out.name + "'";
  }
  if (!out.reference) {
    reader.read_compiled(out);
    return out;
  }
  check_keys(c, table, reader.where + " (a reference)", {"kind", "name"});
  if (out.name.empty()) {
    c.error(table.source(),
            reader.where + ": a reference needs the name of a class of the runtime or of a plug-in");
  }
  return out;
}

}  // namespace

void read_classes(TomlContext& c, const toml::node& classes, Project& project) {
  const toml::array* list = classes.as_array();
  if (!list) {
    c.error(classes.source(), "'classes' must be an array of tables ([[classes]])");
    return;
  }
  for (const toml::node& entry : *list) {
    if (const toml::table* table = entry.as_table()) {
      project.classes.push_back(read_class(c, *table, project.classes.size()));
    } else {
      c.error(entry.source(), "each entry of classes must be a table");
      project.classes.emplace_back();  // keeps the indexes of the entries after it in messages
    }
  }
}

}  // namespace qlimage
