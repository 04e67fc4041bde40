// Class objects: their names, and member lookups along the superclass chain.
#include "objects/class_object.h"

#include <type_traits>

#include "values/char_tables.h"
#include "values/string.h"

namespace ql {

static_assert(std::is_standard_layout_v<ClassObject>,
              "the marker word must sit at the class object's address");

ClassObject::ClassObject() = default;

ClassObject::~ClassObject() {
  string_release(name);
  string_release(internal_name);
}

bool names_equal(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (kFoldingTable[static_cast<uint8_t>(a[i])] != kFoldingTable[static_cast<uint8_t>(b[i])]) return false;
  }
  return true;
}

std::string class_name(const ClassObject* cls) {
  if (!cls) return {};
  return std::string(string_cview(cls->name), static_cast<size_t>(string_length(cls->name)));
}

std::string nearest_class_name(const ClassObject* cls) {
  for (; cls; cls = cls->superclass) {
    if (string_length(cls->name) > 0) return class_name(cls);
  }
  return {};
}

const ClassObject* property_class_type(const PropertyRecord& property) {
  if (!property.type || *static_cast<const uint32_t*>(property.type) != kClassMarker) return nullptr;
  return static_cast<const ClassObject*>(property.type);
}

const MethodRecord* find_method(const ClassObject* cls, std::string_view name) {
  for (; cls; cls = cls->superclass) {
    for (const MethodRecord& method : cls->methods) {
      if (names_equal(method.name, name)) return &method;
    }
  }
  return nullptr;
}

const PropertyRecord* find_property(const ClassObject* cls, std::string_view name) {
  for (; cls; cls = cls->superclass) {
    for (const PropertyRecord& property : cls->properties) {
      if (names_equal(property.name, name)) return &property;
    }
  }
  return nullptr;
}

const EventDefinition* find_declared_event(const ClassObject* cls, std::string_view name) {
  for (; cls; cls = cls->superclass) {
    for (const EventDefinition* event : cls->events) {
      if (names_equal(event->name, name)) return event;
    }
  }
  return nullptr;
}

uintptr_t own_menu_handler(const ClassObject* cls, std::string_view item_name) {
  if (!cls) return 0;
  for (const MenuHandlerRecord& handler : cls->menu_handlers) {
    if (names_equal(handler.item_name, item_name)) return handler.code;
  }
  return 0;
}

}  // namespace ql
