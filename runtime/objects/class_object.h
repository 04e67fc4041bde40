// Class objects: one per class, built-in, compiled into the image or registered by a plug-in. Built-in
// ones are defined at start-up; compiled and plug-in ones are made while the runtime initialises. None is
// freed while the process runs.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "quillet/types.h"

namespace ql {

struct ClassObject;

// The first word of a class object. A property's type is either a class object or a value type record,
// whose first word is 0; the marker tells them apart.
constexpr uint32_t kClassMarker = 3;
constexpr uint32_t kValueTypeMarker = 0;

// Called with the object and the class whose routine it is.
using ObjectRoutine = void (*)(QlObject* object, ClassObject* cls);

// An event a class declares. Lookups compare definitions by identity, so each lives as long as its class
// and is never copied into another class.
struct EventDefinition {
  std::string name;
  std::string parameters;  // "item As FolderItem"; empty for none
  std::string result;      // "Boolean"; empty for none
};

struct PropertyRecord {
  std::string name;
  const void* type = nullptr;  // a value type record or a class object; see property_class_type
  uintptr_t getter = 0;        // called with (object, parameter)
  uintptr_t setter = 0;        // called with (object, parameter, value)
  intptr_t parameter = 0;      // the field's offset for the generic accessors
  uint32_t flags = 0;
};

struct MethodRecord {
  std::string name;
  uintptr_t code = 0;  // 0 for the methods of an interface
  // A second code address kept with the method; deferred imports of kind "W" resolve to it.
  uintptr_t second_code = 0;
};

struct HookRecord {
  std::string name;
  uint32_t key = 0;
  uintptr_t code = 0;
};

struct MenuHandlerRecord {
  std::string item_name;
  uintptr_t code = 0;
};

struct InterfaceEntry {
  ClassObject* interface_class = nullptr;
  // Slot i (from 1) holds the code of the class's method for the interface's i-th method; slot 0 is 0.
  // Empty until the interface tables are built.
  std::vector<uintptr_t> table;
};

struct ClassObject {
  uint32_t marker = kClassMarker;  // must stay the first member
  ClassObject* superclass = nullptr;
  std::vector<uintptr_t> method_table;  // slot 0 holds no method
  uint32_t interface_generation = 0;    // the interface-table build that last covered this class
  uint32_t method_table_size = 0;
  QlString name = nullptr;  // empty for the anonymous subclasses made for single controls
  QlString internal_name = nullptr;
  int32_t instance_size = 0;  // bytes, header included
  std::vector<PropertyRecord> properties;
  std::vector<MethodRecord> methods;
  std::vector<const EventDefinition*> events;  // the events this class declares
  std::vector<HookRecord> hooks;               // the event handlers this class implements
  std::vector<MenuHandlerRecord> menu_handlers;
  std::vector<InterfaceEntry> interfaces;
  bool is_interface = false;
  ObjectRoutine constructor = nullptr;
  ObjectRoutine destructor = nullptr;
  ClassObject* next_class = nullptr;  // the list of every class object

  ClassObject();
  ~ClassObject();  // gives back the name strings
  ClassObject(const ClassObject&) = delete;
  ClassObject& operator=(const ClassObject&) = delete;
};

// Case-folded equality of the runtime's name lookups (the folding of string_compare_folded).
bool names_equal(std::string_view a, std::string_view b);

// The class's name as text, and the name of the nearest class in its chain whose name is not empty.
std::string class_name(const ClassObject* cls);
std::string nearest_class_name(const ClassObject* cls);  // empty when the whole chain is anonymous

// The class object a property's type names, or null for a value type.
const ClassObject* property_class_type(const PropertyRecord& property);

// Searches through the class and then its superclasses; the nearest match wins. Null when none.
const MethodRecord* find_method(const ClassObject* cls, std::string_view name);
const PropertyRecord* find_property(const ClassObject* cls, std::string_view name);
const EventDefinition* find_declared_event(const ClassObject* cls, std::string_view name);

// A menu handler of that class alone (menu dispatch does not look at superclasses); 0 when none.
uintptr_t own_menu_handler(const ClassObject* cls, std::string_view item_name);

}  // namespace ql
