// Reading the item tables and the plug-ins of the project file.
#include "qlimage/project_items_reader.h"

#include "qlimage/toml_values.h"

namespace qlimage {
namespace {

constexpr int64_t kMaxItem = 65535;

std::optional<uint32_t> item_number(TomlContext& c, const toml::table& table, const std::string& where) {
  const toml::node* node = required(c, table, "item", where);
  if (!node) return std::nullopt;
  std::optional<int64_t> n = integer_value(c, *node, where + " item", 1, kMaxItem);
  if (!n) return std::nullopt;
  return static_cast<uint32_t>(*n);
}

std::optional<FileSource> file_of(TomlContext& c, const toml::table& table, const std::string& where) {
  const toml::node* node = required(c, table, "file", where);
  return node ? file_value(c, *node, where + " file") : std::nullopt;
}

}  // namespace

void read_items(TomlContext& c, const toml::table& root, Project& project) {
  each_table(c, root, "pictures", "the project file", [&](const toml::table& table, size_t index) {
    std::string where = "[[pictures]] " + std::to_string(index);
    check_keys(c, table, where, {"item", "file", "transparent"});
    PictureDescription picture;
    std::optional<uint32_t> item = item_number(c, table, where);
    std::optional<FileSource> file = file_of(c, table, where);
    if (const toml::node* node = table.get("transparent")) {
      picture.transparent = boolean_value(c, *node, where + " transparent").value_or(false);
    }
    if (!item || !file) return;
    picture.item = *item;
    picture.file = std::move(*file);
    project.pictures.push_back(std::move(picture));
  });
  each_table(c, root, "sounds", "the project file", [&](const toml::table& table, size_t index) {
    std::string where = "[[sounds]] " + std::to_string(index);
    check_keys(c, table, where, {"item", "file"});
    std::optional<uint32_t> item = item_number(c, table, where);
    std::optional<FileSource> file = file_of(c, table, where);
    if (item && file) project.sounds.push_back({*item, std::move(*file)});
  });
  each_table(c, root, "implicit_instances", "the project file", [&](const toml::table& table, size_t index) {
    std::string where = "[[implicit_instances]] " + std::to_string(index);
    check_keys(c, table, where, {"item", "class", "global"});
    std::optional<uint32_t> item = item_number(c, table, where);
    const toml::node* cls = required(c, table, "class", where);
    const toml::node* global = required(c, table, "global", where);
    std::optional<std::string> class_name = cls ? text_value(c, *cls, where + " class") : std::nullopt;
    std::optional<std::string> symbol = global ? symbol_value(c, *global, where + " global") : std::nullopt;
    if (item && class_name && symbol) project.implicit_instances.push_back({*item, *class_name, *symbol});
  });
}

void read_plugins(TomlContext& c, const toml::table& root, Project& project) {
  each_table(c, root, "plugins", "the project file", [&](const toml::table& table, size_t index) {
    std::string where = "[[plugins]] " + std::to_string(index);
    check_keys(c, table, where, {"name", "file", "classes"});
    PluginDescription plugin;
    if (const toml::node* name = required(c, table, "name", where)) {
      std::optional<std::string> text = text_value(c, *name, where + " name");
      if (!text) return;
      plugin.name = *text;
      bool plain =
          !plugin.name.empty() && plugin.name.size() <= 255 && plugin.name != "." && plugin.name != "..";
      for (char ch : plugin.name)
        plain = plain && ch != '/' && ch != '\\' && ch != ':' && static_cast<uint8_t>(ch) >= ' ';
      if (!plain) {
        c.error(name->source(),
                where + " name '" + plugin.name +
                    "' is not a plain file name; the runtime writes the plug-in into a system folder "
                    "under this name, so give a name such as \"quilapp1.dll\" without folders");
        return;
      }
      where = "plug-in '" + plugin.name + "'";
    }
    std::optional<FileSource> file = file_of(c, table, where);
    if (const toml::node* node = table.get("classes")) {
      const toml::array* list = node->as_array();
      if (!list) c.error(node->source(), where + " classes must be an array of class names");
      for (size_t i = 0; list && i < list->size(); ++i) {
        std::optional<std::string> cls = text_value(c, *list->get(i), where + " class");
        if (cls && !cls->empty()) plugin.classes.push_back(*cls);
      }
    }
    if (!file || plugin.name.empty()) return;
    plugin.file = std::move(*file);
    project.plugins.push_back(std::move(plugin));
  });
}

}  // namespace qlimage
