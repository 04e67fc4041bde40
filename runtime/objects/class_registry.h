// Where class objects are found: the registry of built-in classes, the classes plug-ins register, and the
// list of every class object (built-in, plug-in, then the image's compiled classes).
#pragma once

#include <stdint.h>

#include <string_view>
#include <vector>

#include "objects/class_object.h"
#include "objects/named_table.h"

namespace ql {

// Makes the built-in class of that name, or finds the one already made, and gives it the superclass
// (null: none) and instance size. A layer that owns a class calls it again with its own struct's size and
// then fills in the members.
ClassObject* define_builtin_class(const char* name, ClassObject* superclass, int32_t instance_size);
NamedTable& class_registry();

// Plug-in classes: the plug-in host owns them and registers each once it is complete enough to be found.
void register_plugin_class(ClassObject* cls);
ClassObject* plugin_class(std::string_view name);

// Methods plug-ins register outside any class, in registration order.
std::vector<MethodRecord>& plugin_global_methods();

// A class by name as descriptors and deferred imports name them: built-in first, then plug-in.
ClassObject* class_by_name(std::string_view name);

// The list of every class object, linked through next_class; relinked whenever classes are added.
ClassObject* first_class();
void link_class_list();

}  // namespace ql
