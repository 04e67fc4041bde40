// The registry of built-in classes, the plug-in classes and the list of every class object.
#include "objects/class_registry.h"

#include <deque>
#include <string>

#include "objects/class_array.h"
#include "objects/objects.h"
#include "values/string.h"

namespace ql {

namespace {

// Built-in class objects live for the whole process, so they are never destroyed, not even at exit.
std::deque<ClassObject>& builtin_storage() {
  static auto* storage = new std::deque<ClassObject>;
  return *storage;
}

NamedTable& plugin_registry() {
  static auto* table = new NamedTable;
  return *table;
}

ClassObject*& list_head() {
  static ClassObject* head = nullptr;
  return head;
}

}  // namespace

NamedTable& class_registry() {
  static auto* table = new NamedTable;
  return *table;
}

ClassObject* define_builtin_class(const char* name, ClassObject* superclass, int32_t instance_size) {
  auto* cls = static_cast<ClassObject*>(class_registry().find(name));
  if (!cls) {
    cls = &builtin_storage().emplace_back();
    cls->name = string_from_cstr(name);
    // Internal names follow the pattern of "QLApplication" for Application.
    cls->internal_name = string_from_cstr(("QL" + std::string(name)).c_str());
    class_registry().insert(cls->name, cls);
    link_class_list();
  }
  cls->superclass = superclass;
  cls->instance_size = instance_size;
  return cls;
}

ClassObject* builtin_class(std::string_view name) {
  return static_cast<ClassObject*>(class_registry().find(std::string(name).c_str()));
}

void register_plugin_class(ClassObject* cls) {
  plugin_registry().insert(cls->name, cls);
  link_class_list();
}

ClassObject* plugin_class(std::string_view name) {
  return static_cast<ClassObject*>(plugin_registry().find(std::string(name).c_str()));
}

std::vector<MethodRecord>& plugin_global_methods() {
  static auto* methods = new std::vector<MethodRecord>;
  return *methods;
}

ClassObject* class_by_name(std::string_view name) {
  ClassObject* cls = builtin_class(name);
  return cls ? cls : plugin_class(name);
}

ClassObject* first_class() { return list_head(); }

void link_class_list() {
  ClassObject* head = nullptr;
  ClassObject** tail = &head;
  auto append = [&](ClassObject* cls) {
    if (!cls) return;
    *tail = cls;
    tail = &cls->next_class;
  };
  for (const NamedTable::Entry* e = class_registry().first(); e; e = e->order_next) {
    append(static_cast<ClassObject*>(e->value));
  }
  for (const NamedTable::Entry* e = plugin_registry().first(); e; e = e->order_next) {
    // A class linked twice would close the list into a loop.
    if (class_registry().find(e->name) != e->value) append(static_cast<ClassObject*>(e->value));
  }
  for (const auto& compiled : installed_class_array().compiled) append(compiled.get());
  *tail = nullptr;
  list_head() = head;
}

}  // namespace ql
