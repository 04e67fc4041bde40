// Binding the class list: names to indexes, symbols to places, sizes settled, the hierarchy checked.
#include "qlimage/class_binding.h"

#include <map>
#include <set>
#include <string>

#include "image/names.h"
#include "qlimage/class_symbols.h"

namespace qlimage {
namespace {

// The runtime compares class and member names ignoring letter case.
using ql::image::folded_name;

struct Binder {
  const Resolution& resolution;
  const std::vector<ClassDescription>& classes;
  const std::string& path;
  Diagnostics& diagnostics;
  std::vector<BoundClass> out;
  std::map<std::string, uint32_t> class_index;  // folded class name -> class index

  std::string short_name(size_t index) const {
    const std::string& name = classes[index].name;
    return name.empty() ? "class " + std::to_string(index) : name;
  }
  std::string label(size_t index) const {
    const ClassDescription& cls = classes[index];
    std::string out =
        "class " + std::to_string(index) + (cls.name.empty() ? " (anonymous)" : " '" + cls.name + "'");
    if (!cls.made_for.empty()) out += (cls.reference ? " (named by " : " (made for ") + cls.made_for + ")";
    return out;
  }
  void error(size_t index, const std::string& message) {
    diagnostics.error((path.empty() ? "" : path + ": ") + label(index) + ": " + message);
  }

  std::optional<uint32_t> class_named(size_t index, const std::string& field, const std::string& name) {
    auto it = class_index.find(folded_name(name));
    if (it != class_index.end()) return it->second;
    error(index,
          field + " '" + name +
              "' is not a class of the project's list; add it to [[classes]] (kind = \"reference\" for "
              "a class of the runtime or of a plug-in)");
    return std::nullopt;
  }

  std::optional<SymbolTarget> code(size_t index, const std::string& field, const std::string& symbol) {
    std::string problem;
    std::optional<SymbolTarget> target = bind_code_symbol(resolution, symbol, problem);
    if (!target) error(index, field + " '" + symbol + "' " + problem);
    return target;
  }
};

void index_names(Binder& b) {
  std::map<std::string, size_t> folded_names;
  for (size_t i = 0; i < b.classes.size(); ++i) {
    const std::string& name = b.classes[i].name;
    if (name.empty()) continue;
    auto [it, inserted] = folded_names.try_emplace(folded_name(name), i);
    if (!inserted) {
      b.error(i, "has the name of " + b.label(it->second) +
                     "; class names must differ in more than letter case, since the runtime ignores it");
      continue;
    }
    b.class_index[folded_name(name)] = static_cast<uint32_t>(i);
  }
}

std::optional<uint32_t> settle_size(Binder& b, size_t i, const ClassDescription& description) {
  const TargetDescription& target = *b.resolution.target;
  uint32_t size = 0;
  if (description.size) {
    size = *description.size;
  } else if (!description.size_symbol.empty()) {
    std::string problem;
    std::optional<uint32_t> value = read_data_word(b.resolution, description.size_symbol, problem);
    if (!value) {
      b.error(i, "size '" + description.size_symbol + "' " + problem);
      return std::nullopt;
    }
    size = *value;
  } else if (description.is_interface) {
    return target.root_object_size();  // never instantiated
  } else if (description.size_of_superclass) {
    return 0;  // settled once every class of the chain has its size
  } else {
    b.error(i,
            "needs a size: the bytes of an instance, header included, or the name of a constant that the "
            "compiled code defines as extern \"C\" const uint32_t NAME = sizeof(...);");
    return std::nullopt;
  }
  if (size < target.object_header_size || size > kMaxInstanceSize) {
    b.error(i, "the size " + std::to_string(size) + " must lie from " +
                   std::to_string(target.object_header_size) + " (the object header on " +
                   std::string(target.name) + ") to " + std::to_string(kMaxInstanceSize));
    return std::nullopt;
  }
  return size;
}

// Methods, hooks and menu handlers: names interned, code bound, names unique within the class.
template <typename Entry, typename NameOf, typename CodeOf>
std::vector<DescriptorMember> bind_members(Binder& b, size_t i, const std::vector<Entry>& entries,
                                           const std::string& what, NameOf name_of, CodeOf code_of) {
  const ClassDescription& description = b.classes[i];
  std::vector<DescriptorMember> members;
  std::set<std::string> seen;
  for (const Entry& entry : entries) {
    const std::string& name = name_of(entry);
    const std::string& symbol = code_of(entry);
    if (name.empty()) b.error(i, "has a " + what + " without a name");
    if (!seen.insert(folded_name(name)).second) {
      b.error(i, "lists the " + what + " '" + name + "' twice; the runtime would only ever use one of them");
    }
    DescriptorMember member{name, std::nullopt, 0};
    if (description.is_interface) {
      if (!symbol.empty()) {
        b.error(i, "is an interface, so its " + what + " '" + name + "' has a name only, but code '" +
                       symbol + "' is given; the classes that implement the interface give the code");
      }
    } else if (symbol.empty()) {
      b.error(i, what + " '" + name + "' needs code");
    } else {
      member.code = b.code(i, what + " '" + name + "' code", symbol);
    }
    members.push_back(member);
  }
  return members;
}

BoundClass bind_compiled(Binder& b, size_t i) {
  const ClassDescription& description = b.classes[i];
  BoundClass bound;
  bound.is_interface = description.is_interface;
  if (!description.name.empty()) bound.name = description.name;
  if (!description.superclass.empty()) {
    if (std::optional<uint32_t> super = b.class_named(i, "superclass", description.superclass)) {
      if (*super == i) b.error(i, "is its own superclass");
      bound.superclass = static_cast<int32_t>(*super);
    }
  }
  bound.size = settle_size(b, i, description).value_or(0);

  if (description.constructor.empty() != description.destructor.empty()) {
    b.error(i, "gives a " + std::string(description.constructor.empty() ? "destructor" : "constructor") +
                   " without a " + (description.constructor.empty() ? "constructor" : "destructor") +
                   "; a class has both or neither (write a routine that does nothing for the other)");
  } else if (!description.constructor.empty() && description.is_interface) {
    b.error(i, "is an interface, which has no instances to construct; drop its constructor and destructor");
  } else if (!description.constructor.empty()) {
    bound.constructor = b.code(i, "constructor", description.constructor);
    bound.destructor = b.code(i, "destructor", description.destructor);
  }

  std::set<uint32_t> implemented;
  for (const std::string& name : description.interfaces) {
    std::optional<uint32_t> index = b.class_named(i, "interface", name);
    if (!index) continue;
    const ClassDescription& target = b.classes[*index];
    if (*index == i) {
      b.error(i, "lists itself as one of its interfaces");
    } else if (!target.reference && !target.is_interface) {
      b.error(i, "lists '" + name + "' as an interface, but " + b.label(*index) +
                     " is not one (interface = true)");
    } else if (!implemented.insert(*index).second) {
      b.error(i, "lists the interface '" + name + "' twice");
    }
    bound.interfaces.push_back(*index);
  }

  bound.methods = bind_members(
      b, i, description.methods, "method", [](const ClassMethod& m) -> const std::string& { return m.name; },
      [](const ClassMethod& m) -> const std::string& { return m.code; });
  if (description.is_interface && (!description.hooks.empty() || !description.menu_handlers.empty())) {
    b.error(i, "is an interface; its hooks and menu handlers belong to the classes that implement it");
  } else {
    bound.hooks = bind_members(
        b, i, description.hooks, "hook", [](const ClassHook& h) -> const std::string& { return h.name; },
        [](const ClassHook& h) -> const std::string& { return h.code; });
    for (size_t k = 0; k < bound.hooks.size(); ++k) bound.hooks[k].key = description.hooks[k].key;
    bound.menu_handlers = bind_members(
        b, i, description.menu_handlers, "menu handler",
        [](const MenuHandler& m) -> const std::string& { return m.item; },
        [](const MenuHandler& m) -> const std::string& { return m.code; });
  }

  bound.method_table.emplace_back();  // slot 0 holds no method
  for (size_t slot = 0; slot < description.method_table.size(); ++slot) {
    const std::string& symbol = description.method_table[slot];
    if (symbol.empty()) {
      bound.method_table.emplace_back();
    } else if (description.is_interface) {
      b.error(i, "is an interface, which has no method table, but method_table slot " +
                     std::to_string(slot + 1) + " names '" + symbol + "'");
    } else {
      bound.method_table.push_back(b.code(i, "method_table slot " + std::to_string(slot + 1), symbol));
    }
  }
  return bound;
}

BoundClass bind_reference(Binder& b, size_t i) {
  const ClassDescription& description = b.classes[i];
  bool plain = description.superclass.empty() && !description.size && description.size_symbol.empty() &&
               description.constructor.empty() && description.destructor.empty() &&
               !description.is_interface && description.interfaces.empty() && description.methods.empty() &&
               description.hooks.empty() && description.menu_handlers.empty() &&
               description.method_table.empty();
  if (!plain) {
    b.error(i, "is a reference to a class of the runtime or of a plug-in, which carries its name only");
  }
  BoundClass bound;
  bound.reference = true;
  if (description.name.empty()) {
    b.error(i, "is a reference without a name");
  } else {
    bound.name = description.name;
  }
  return bound;
}

// A control's own class without a size of its own takes its superclass's, when qlimage knows it; otherwise
// the runtime grows the class to its superclass's size when the image starts.
void settle_inherited_sizes(Binder& b) {
  std::vector<BoundClass>& classes = b.out;
  for (size_t i = 0; i < classes.size(); ++i) {
    if (!b.classes[i].size_of_superclass || classes[i].reference) continue;
    uint32_t size = 0;
    int32_t at = classes[i].superclass;
    for (size_t steps = 0; size == 0 && at >= 0 && steps < classes.size(); ++steps) {
      if (classes[at].reference) {
        size = b.resolution.target->builtin_instance_size(b.classes[at].name)
                   .value_or(b.resolution.target->root_object_size());
      } else {
        size = classes[at].size;
      }
      at = classes[at].superclass;
    }
    classes[i].size = size ? size : b.resolution.target->root_object_size();
  }
}

void check_superclass_chains(Binder& b) {
  const std::vector<BoundClass>& classes = b.out;
  for (size_t i = 0; i < classes.size(); ++i) {
    std::string path = b.short_name(i);
    int32_t at = classes[i].superclass;
    for (size_t steps = 0; at >= 0 && steps < classes.size(); ++steps) {
      path += " -> " + b.short_name(at);
      if (static_cast<size_t>(at) == i) {
        if (steps > 0) b.error(i, "has a superclass chain that loops: " + path);
        break;
      }
      at = classes[at].superclass;
    }
    int32_t super = classes[i].superclass;
    if (super >= 0 && !classes[super].reference && classes[i].size != 0 && classes[super].size != 0 &&
        classes[i].size < classes[super].size) {
      b.error(i, "is " + std::to_string(classes[i].size) + " bytes, smaller than its superclass " +
                     b.label(super) + " (" + std::to_string(classes[super].size) +
                     " bytes), whose fields its instances must hold");
    }
  }
}

// Whether the class or a compiled superclass has a method of that name; nullopt when the chain reaches a
// class of the runtime or of a plug-in, whose methods only the running image knows.
std::optional<bool> has_method(const Binder& b, size_t index, const std::string& name) {
  int32_t at = static_cast<int32_t>(index);
  for (size_t steps = 0; at >= 0 && steps <= b.out.size(); ++steps) {
    if (b.out[at].reference) return std::nullopt;
    for (const ClassMethod& method : b.classes[at].methods) {
      if (ql::image::same_name(method.name, name)) return true;
    }
    at = b.out[at].superclass;
  }
  return false;
}

void check_implementations(Binder& b) {
  for (size_t i = 0; i < b.out.size(); ++i) {
    const BoundClass& cls = b.out[i];
    if (cls.reference || cls.is_interface) continue;
    for (uint32_t interface : cls.interfaces) {
      if (b.out[interface].reference) continue;
      for (const ClassMethod& method : b.classes[interface].methods) {
        std::optional<bool> found = has_method(b, i, method.name);
        if (found && !*found) {
          b.error(i, "implements " + b.label(interface) + " but has no method '" + method.name +
                         "', neither itself nor in a superclass");
        }
      }
    }
  }
}

}  // namespace

std::optional<std::vector<BoundClass>> bind_classes(const Resolution& resolution, const ClassList& list,
                                                    const std::string& path, Diagnostics& diagnostics) {
  Binder b{resolution, list.classes, path, diagnostics, {}, {}};
  size_t errors_before = diagnostics.errors.size();
  index_names(b);
  for (size_t i = 0; i < list.classes.size(); ++i) {
    b.out.push_back(list.classes[i].reference ? bind_reference(b, i) : bind_compiled(b, i));
  }
  settle_inherited_sizes(b);
  check_superclass_chains(b);
  check_implementations(b);
  if (diagnostics.errors.size() != errors_before) return std::nullopt;
  return std::move(b.out);
}

}  // namespace qlimage
