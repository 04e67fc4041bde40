// Completing the class list with the classes that windows, menus and items use.
#include "qlimage/class_list.h"

#include "image/names.h"
#include "qlimage/runtime_classes.h"

namespace qlimage {
namespace {

using ql::image::same_name;

struct Completer {
  const Project& project;
  Diagnostics& diagnostics;
  ClassList list;
  std::vector<ClassDescription> made;  // anonymous classes, appended after the references

  void error(const std::string& message) {
    diagnostics.error((project.path.empty() ? "" : project.path + ": ") + message);
  }

  // The spelling of a plug-in class the project declares, if any.
  const std::string* plugin_class(std::string_view name) const {
    for (const PluginDescription& plugin : project.plugins) {
      for (const std::string& cls : plugin.classes) {
        if (same_name(cls, name)) return &cls;
      }
    }
    return nullptr;
  }

  // The index of the class that `where` names in `field`, appending a reference for a runtime or plug-in
  // class that is not listed yet.
  std::optional<uint32_t> use(const std::string& name, const std::string& where, const std::string& field) {
    if (std::optional<uint32_t> index = list.find(name)) return index;
    std::string canonical;
    if (const RuntimeClass* runtime = find_runtime_class(name)) {
      canonical = runtime->name;
    } else if (const std::string* plugin = plugin_class(name)) {
      canonical = *plugin;
    } else {
      error(where + ": " + field + " '" + name +
            "' is not a class of [[classes]], of the runtime, or of a plug-in; check its spelling, add it to "
            "[[classes]], or name it under the classes of the [[plugins]] entry that registers it");
      return std::nullopt;
    }
    ClassDescription reference;
    reference.reference = true;
    reference.name = canonical;
    reference.made_for = where;
    list.classes.push_back(std::move(reference));
    return static_cast<uint32_t>(list.classes.size() - 1);
  }

  void window(const WindowDescription& window) {
    std::string label = window_label(window);
    use(window.class_name, label, "class");
    std::vector<uint32_t>& classes = list.control_classes.emplace_back();
    for (size_t c = 0; c < window.controls.size(); ++c) {
      const ControlDescription& control = window.controls[c];
      std::string where = label + " " + control_label(control, c);
      if (!control.class_name.empty()) {
        classes.push_back(use(control.class_name, where, "class").value_or(0));
        continue;
      }
      use(control.superclass, where, "superclass");
      ClassDescription own;
      own.superclass = control.superclass;
      own.hooks = control.hooks;
      own.size = control.size;
      own.size_symbol = control.size_symbol;
      own.size_of_superclass = !control.size && control.size_symbol.empty();
      own.made_for = where;
      made.push_back(std::move(own));
      classes.push_back(0);  // settled once the references are all appended
    }
    for (size_t b = 0; b < window.bindings.size(); ++b) {
      use(window.bindings[b].binder, label + " binding " + std::to_string(b), "binder");
    }
  }

  void menu_items(const std::vector<MenuItemDescription>& items, const std::string& path) {
    for (const MenuItemDescription& item : items) {
      std::string where = path + " > " + item.text;
      use(item.class_name, where, "class");
      menu_items(item.items, where);
    }
  }
};

}  // namespace

std::optional<uint32_t> ClassList::find(std::string_view name) const {
  for (uint32_t i = 0; i < classes.size(); ++i) {
    if (!classes[i].name.empty() && same_name(classes[i].name, name)) return i;
  }
  return std::nullopt;
}

std::string window_label(const WindowDescription& window) { return "window '" + window.symbol + "'"; }

std::string control_label(const ControlDescription& control, size_t number) {
  for (const Property& property : control.properties) {
    if (same_name(property.name, "NAME"))
      return "control '" + property.value.text + "' (control " + std::to_string(number) + ")";
  }
  return "control " + std::to_string(number) + " (without a Name)";
}

std::optional<ClassList> complete_class_list(const Project& project, Diagnostics& diagnostics) {
  Completer c{project, diagnostics, {}, {}};
  size_t errors_before = diagnostics.errors.size();
  c.list.classes = project.classes;
  for (const WindowDescription& window : project.windows) c.window(window);
  for (const MenuDescription& menu : project.menus) {
    c.use("MenuItem", "menu " + menu.text, "class");
    c.menu_items(menu.items, "menu item " + menu.text);
  }
  for (const ImplicitInstance& instance : project.implicit_instances) {
    c.use(instance.class_name, "implicit instance item " + std::to_string(instance.item), "class");
  }
  // The classes made for controls follow the references, in window and control order.
  uint32_t next = static_cast<uint32_t>(c.list.classes.size());
  for (size_t w = 0; w < project.windows.size(); ++w) {
    for (size_t k = 0; k < project.windows[w].controls.size(); ++k) {
      if (project.windows[w].controls[k].class_name.empty()) c.list.control_classes[w][k] = next++;
    }
  }
  for (ClassDescription& own : c.made) c.list.classes.push_back(std::move(own));
  if (diagnostics.errors.size() != errors_before) return std::nullopt;
  return std::move(c.list);
}

}  // namespace qlimage
