// The accessors of plug-in properties. The property record's parameter is the host's description of the
// property; function accessors get the record's offset as their parameter, as the plug-in wrote it.
#include "plugins/plugin_properties.h"

#include <string.h>

#include <deque>
#include <string_view>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "plugins/plugin_panes.h"
#include "values/string.h"

namespace ql {

namespace {

struct PluginProperty {
  int32_t instance_offset;  // of the value, for direct access
  int32_t record_offset;
  uint32_t flags;
  QlPluginFunction getter;
  QlPluginFunction setter;
};

std::deque<PluginProperty>& descriptions() {
  static auto* list = new std::deque<PluginProperty>;
  return *list;
}

const PluginProperty& described(intptr_t parameter) {
  return *reinterpret_cast<const PluginProperty*>(parameter);
}
bool direct(QlPluginFunction accessor) { return accessor == QL_PLUGIN_DIRECT; }
uint8_t* value_at(QlObject* object, const PluginProperty& p) {
  return reinterpret_cast<uint8_t*>(object) + p.instance_offset;
}

template <typename T>
T read_value(QlObject* object, const PluginProperty& p) {
  T value;
  memcpy(&value, value_at(object, p), sizeof value);
  return value;
}

template <typename T>
void write_value(QlObject* object, const PluginProperty& p, T value) {
  memcpy(value_at(object, p), &value, sizeof value);
}

void after_direct_set(QlObject* object, const PluginProperty& p) {
  if (p.flags & QL_PLUGIN_REDRAW_ON_SET) invalidate_plugin_instance(object);
}

// Getters and setters of the values kept as they are: 4-byte integers and colours, floats, doubles.
template <typename T>
T get_plain(QlObject* object, intptr_t parameter) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.getter) return T{};
  if (direct(p.getter)) return read_value<T>(object, p);
  return reinterpret_cast<T (*)(QlObject*, intptr_t)>(p.getter)(object, p.record_offset);
}

template <typename T>
void set_plain(QlObject* object, intptr_t parameter, T value) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.setter) return;
  if (!direct(p.setter)) {
    reinterpret_cast<void (*)(QlObject*, intptr_t, T)>(p.setter)(object, p.record_offset, value);
    return;
  }
  write_value(object, p, value);
  after_direct_set(object, p);
}

// Booleans are one byte in the instance.
bool get_boolean(QlObject* object, intptr_t parameter) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.getter) return false;
  if (direct(p.getter)) return read_value<uint8_t>(object, p) != 0;
  return reinterpret_cast<bool (*)(QlObject*, intptr_t)>(p.getter)(object, p.record_offset);
}

void set_boolean(QlObject* object, intptr_t parameter, bool value) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.setter) return;
  if (!direct(p.setter)) {
    reinterpret_cast<void (*)(QlObject*, intptr_t, bool)>(p.setter)(object, p.record_offset, value);
    return;
  }
  write_value<uint8_t>(object, p, value ? 1 : 0);
  after_direct_set(object, p);
}

// Strings and objects: a getter hands out a new reference, a direct setter takes one to the new value
// before it gives back the old one.
QlString get_string(QlObject* object, intptr_t parameter) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.getter) return nullptr;
  if (!direct(p.getter))
    return reinterpret_cast<QlString (*)(QlObject*, intptr_t)>(p.getter)(object, p.record_offset);
  QlString value = read_value<QlString>(object, p);
  string_retain(value);
  return value;
}

void set_string(QlObject* object, intptr_t parameter, QlString value) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.setter) return;
  if (!direct(p.setter)) {
    reinterpret_cast<void (*)(QlObject*, intptr_t, QlString)>(p.setter)(object, p.record_offset, value);
    return;
  }
  QlString held = read_value<QlString>(object, p);
  string_assign(held, value);
  write_value(object, p, held);
  after_direct_set(object, p);
}

QlObject* get_object(QlObject* object, intptr_t parameter) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.getter) return nullptr;
  if (!direct(p.getter))
    return reinterpret_cast<QlObject* (*)(QlObject*, intptr_t)>(p.getter)(object, p.record_offset);
  QlObject* value = read_value<QlObject*>(object, p);
  retain_object(value);
  return value;
}

void set_object(QlObject* object, intptr_t parameter, QlObject* value) {
  const PluginProperty& p = described(parameter);
  if (!object || !p.setter) return;
  if (!direct(p.setter)) {
    reinterpret_cast<void (*)(QlObject*, intptr_t, QlObject*)>(p.setter)(object, p.record_offset, value);
    return;
  }
  QlObject* old = read_value<QlObject*>(object, p);
  retain_object(value);
  write_value(object, p, value);
  release_object(old);
  after_direct_set(object, p);
}

struct TypeRow {
  const ValueType* type;
  int32_t width;  // bytes a direct accessor reads
  uintptr_t getter;
  uintptr_t setter;
};

template <typename Routine>
uintptr_t address(Routine routine) {
  return reinterpret_cast<uintptr_t>(routine);
}

// The row of a type name; for a class name the type is the class and the value an object reference.
bool type_row(std::string_view type_name, TypeRow& out, const void*& type) {
  const TypeRow rows[] = {
      {&kIntegerType, 4, address(get_plain<int32_t>), address(set_plain<int32_t>)},
      {&kColorType, 4, address(get_plain<int32_t>), address(set_plain<int32_t>)},
      {&kBooleanType, 1, address(get_boolean), address(set_boolean)},
      {&kStringType, sizeof(QlString), address(get_string), address(set_string)},
      {&kSingleType, 4, address(get_plain<float>), address(set_plain<float>)},
      {&kDoubleType, 8, address(get_plain<double>), address(set_plain<double>)},
  };
  for (const TypeRow& row : rows) {
    if (names_equal(row.type->name, type_name)) {
      out = row;
      type = row.type;
      return true;
    }
  }
  ClassObject* cls = class_by_name(type_name);
  if (!cls) return false;
  out = {nullptr, sizeof(QlObject*), address(get_object), address(set_object)};
  type = cls;
  return true;
}

}  // namespace

bool add_plugin_property(ClassObject* cls, const QlPluginPropertyRecord& record, PluginData data) {
  if (!record.name || !*record.name || !record.type) return false;
  if (!record.getter && !record.setter) return false;
  TypeRow row;
  const void* type = nullptr;
  if (!type_row(record.type, row, type)) return false;
  if (direct(record.getter) || direct(record.setter)) {
    // A value outside the plug-in data would be another object's memory.
    if (data.offset < 0 || record.offset < 0 || record.offset > data.size - row.width) return false;
  }
  PluginProperty& p = descriptions().emplace_back();
  p.instance_offset = data.offset + record.offset;
  p.record_offset = record.offset;
  p.flags = record.flags;
  p.getter = record.getter;
  p.setter = record.setter;
  cls->properties.push_back({record.name, type, record.getter ? row.getter : 0,
                             record.setter ? row.setter : 0, reinterpret_cast<intptr_t>(&p), record.flags});
  return true;
}

}  // namespace ql
