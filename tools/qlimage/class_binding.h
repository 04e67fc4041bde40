// Binds the class list to the linked objects: class names become class indexes, code symbols become places
// in code, instance sizes are settled, and the hierarchy is checked for what would break at start-up
// (unknown or looping superclasses, interfaces with code or without implementations, sizes too small for
// the header or the superclass).
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "qlimage/class_list.h"
#include "qlimage/diagnostics.h"
#include "qlimage/link_model.h"

namespace qlimage {

// A member of a class descriptor: a method {name, code}, a hook {name, code, key} or a menu handler
// {menu item name, code}.
struct DescriptorMember {
  std::string name;
  std::optional<SymbolTarget> code;  // a place in code; none for an interface's methods
  uint32_t key = 0;
};

// A class of the list with every name turned into an index and every symbol into a place.
struct BoundClass {
  bool reference = false;
  std::optional<std::string> name;  // none: anonymous
  uint32_t size = 0;
  int32_t superclass = -1;
  std::optional<SymbolTarget> constructor, destructor;  // both or neither
  bool is_interface = false;
  std::vector<uint32_t> interfaces;
  std::vector<DescriptorMember> methods, hooks, menu_handlers;
  std::vector<std::optional<SymbolTarget>> method_table;  // from slot 0, which is always empty
};

// nullopt after reporting every problem found; `path` names the project file in messages.
std::optional<std::vector<BoundClass>> bind_classes(const Resolution& resolution, const ClassList& list,
                                                    const std::string& path, Diagnostics& diagnostics);

// Larger instance sizes are refused; the runtime refuses them too.
constexpr uint32_t kMaxInstanceSize = 0x1000000;

}  // namespace qlimage
