// Making class members from plug-in records.
#include "plugins/plugin_members.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "plugins/plugin_conversion.h"
#include "plugins/plugin_declarations.h"

namespace ql {

namespace {

// Event definitions live as long as their classes, which is the whole run.
struct PluginEvents {
  std::deque<EventDefinition> definitions;
  std::unordered_set<const void*> known;
};

PluginEvents& events() {
  static auto* e = new PluginEvents;
  return *e;
}

std::optional<Declaration> parsed(const char* text) {
  if (!text) return std::nullopt;
  return parse_declaration(
      text, [](std::string_view type) { return known_plugin_type(std::string(type).c_str()); });
}

int32_t counted(const void* records, int32_t count) { return records && count > 0 ? count : 0; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A class that can stand as an interface: one marked so, or one of the runtime's names that carry neither
// fields nor properties of their own (actionSource and the like).
bool interface_like(const ClassObject* cls) {
  if (cls->is_interface) return true;
  return !cls->superclass && cls->properties.empty() &&
         cls->instance_size == static_cast<int32_t>(sizeof(ObjectBase));
}

bool implements_every_method(const ClassObject* cls, const ClassObject* interface_class) {
  for (const MethodRecord& wanted : interface_class->methods) {
    const MethodRecord* found = find_method(cls, wanted.name);
    if (!found || !found->code) return false;
  }
  return true;
}

}  // namespace

bool known_plugin_type(const char* type_name) {
  return type_name && (builtin_type_name(type_name) || class_by_name(type_name));
}

void add_plugin_properties(ClassObject* cls, const QlPluginPropertyRecord* records, int32_t count,
                           PluginData data) {
  for (int32_t i = 0; i < counted(records, count); ++i) add_plugin_property(cls, records[i], data);
}

void add_plugin_methods(ClassObject* cls, const QlPluginMethodRecord* records, int32_t count) {
  for (int32_t i = 0; i < counted(records, count); ++i) {
    const QlPluginMethodRecord& record = records[i];
    std::optional<Declaration> declaration = parsed(record.declaration);
    if (!declaration || !record.function) continue;
    cls->methods.push_back({declaration->name, reinterpret_cast<uintptr_t>(record.function),
                            reinterpret_cast<uintptr_t>(record.second_function)});
  }
}

void add_plugin_events(ClassObject* cls, QlPluginEventRecord* records, int32_t count) {
  for (int32_t i = 0; i < counted(records, count); ++i) {
    QlPluginEventRecord& record = records[i];
    std::optional<Declaration> declaration = parsed(record.declaration);
    if (!declaration) continue;
    EventDefinition& event = events().definitions.emplace_back(
        EventDefinition{declaration->name, parameter_text(*declaration), declaration->result});
    events().known.insert(&event);
    cls->events.push_back(&event);
    record.descriptor = &event;
  }
}

void add_shared_methods(ClassObject* cls, const QlPluginSharedMethodRecord* records, int32_t count,
                        const QlPluginExport* exports) {
  for (int32_t i = 0; i < counted(records, count); ++i) {
    const QlPluginSharedMethodRecord& record = records[i];
    QlPluginFunction function = export_function(exports, record.export_index);
    if (!record.name || !*record.name || !function) continue;
    cls->methods.push_back({record.name, reinterpret_cast<uintptr_t>(function), 0});
  }
}

void attach_interfaces(ClassObject* cls, const char* names) {
  if (!names) return;
  std::string_view rest = names;
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    std::string name(trimmed(rest.substr(0, comma)));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    if (name.empty()) continue;
    ClassObject* interface_class = class_by_name(name);
    if (!interface_class || interface_class == cls || !interface_like(interface_class)) continue;
    if (!implements_every_method(cls, interface_class)) continue;
    bool attached = false;
    for (const InterfaceEntry& entry : cls->interfaces)
      attached = attached || entry.interface_class == interface_class;
    if (!attached) cls->interfaces.push_back({interface_class, {}});
  }
}

bool add_global_method(const QlPluginMethodRecord& record) {
  std::optional<Declaration> declaration = parsed(record.declaration);
  if (!declaration || !record.function) return false;
  plugin_global_methods().push_back({declaration->name, reinterpret_cast<uintptr_t>(record.function),
                                     reinterpret_cast<uintptr_t>(record.second_function)});
  return true;
}

const EventDefinition* plugin_event(const void* descriptor) {
  if (!descriptor || !events().known.count(descriptor)) return nullptr;
  return static_cast<const EventDefinition*>(descriptor);
}

}  // namespace ql
