// Plug-in control classes and plug-in classes: the class objects, their instance layouts and the routines
// that run when instances are made and destroyed.
#include "plugins/plugin_classes.h"

#include <string.h>

#include <deque>
#include <string>
#include <unordered_map>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "objects/objects.h"
#include "plugins/plugin_host.h"
#include "plugins/plugin_members.h"
#include "plugins/plugin_panes.h"
#include "quillet/layouts.h"
#include "values/string.h"

namespace ql {

namespace {

// The word the host keeps in each control instance between RectControl's fields and the plug-in data:
// the registration the instance was made from.
constexpr size_t kHostWordOffset = sizeof(QlControlBase);
constexpr int32_t kControlDataOffset = static_cast<int32_t>(QL_PLUGIN_CONTROL_DATA_OFFSET);
static_assert(kControlDataOffset == kHostWordOffset + sizeof(void*));

// Class records ask for the plug-in data to start pointer-aligned behind the superclass's fields.
constexpr int32_t kAlignment = sizeof(void*);
// No plug-in needs more than this for one instance; a larger size is a damaged record.
constexpr int32_t kMaxDataSize = 1 << 20;

struct PendingClass {
  QlPluginClassRecord* record;
  LoadedPlugin* plugin;
  bool visiting = false;
  bool done = false;
};

struct Registry {
  std::deque<ClassObject> classes;  // never freed: class objects live for the run
  std::deque<PluginControl> controls;
  std::unordered_map<const ClassObject*, const PluginControl*> control_of_class;
  std::unordered_map<const ClassObject*, const QlPluginClassRecord*> record_of_class;
  std::deque<PendingClass> pending;
};

Registry& registry() {
  static auto* r = new Registry;
  return *r;
}

const QlPluginBehaviour kNoBehaviour = {};

ClassObject* new_class(const char* name, ClassObject* superclass, int32_t instance_size) {
  ClassObject& cls = registry().classes.emplace_back();
  cls.name = string_from_cstr(name);
  cls.internal_name = string_from_cstr(("QL" + std::string(name)).c_str());
  cls.superclass = superclass;
  cls.instance_size = instance_size;
  return &cls;
}

void construct_control(QlObject* object, ClassObject* cls) {
  const PluginControl* control = registry().control_of_class.at(cls);
  memcpy(reinterpret_cast<uint8_t*>(object) + kHostWordOffset, &control, sizeof control);
  if (control->behaviour->created) control->behaviour->created(object);
}

void destroy_control(QlObject* object, ClassObject* cls) {
  const PluginControl* control = registry().control_of_class.at(cls);
  close_plugin_pane(object);
  if (control->behaviour->destroying) control->behaviour->destroying(object);
  forget_plugin_instance(object);
}

void create_no_pane(QlObject*) {}

void construct_class_instance(QlObject* object, ClassObject* cls) {
  const QlPluginClassRecord* record = registry().record_of_class.at(cls);
  if (record->constructor) record->constructor(object);
}

void destroy_class_instance(QlObject* object, ClassObject* cls) {
  const QlPluginClassRecord* record = registry().record_of_class.at(cls);
  if (record->destructor) record->destructor(object);
}

bool usable_name(const char* name) { return name && *name; }

PendingClass* pending_named(std::string_view name) {
  for (PendingClass& pending : registry().pending) {
    if (!pending.done && names_equal(pending.record->name, name)) return &pending;
  }
  return nullptr;
}

bool complete(PendingClass& pending);

ClassObject* superclass_for(const char* name) {
  if (!usable_name(name)) return nullptr;
  if (PendingClass* pending = pending_named(name)) complete(*pending);
  return class_by_name(name);
}

bool complete(PendingClass& pending) {
  if (pending.done || pending.visiting) return false;  // a superclass chain that loops makes nothing
  pending.visiting = true;
  QlPluginClassRecord& record = *pending.record;
  ClassObject* superclass = superclass_for(record.superclass);
  pending.visiting = false;
  pending.done = true;
  if (usable_name(record.superclass) && !superclass) return false;
  if (class_by_name(record.name)) return false;
  int32_t offset = static_cast<int32_t>(sizeof(ObjectBase));
  if (superclass) offset = (superclass->instance_size + kAlignment - 1) / kAlignment * kAlignment;
  ClassObject* cls = new_class(record.name, superclass, offset + record.data_size);
  record.data_offset = offset;
  registry().record_of_class[cls] = &record;
  cls->constructor = construct_class_instance;
  cls->destructor = destroy_class_instance;
  register_plugin_class(cls);
  pending.plugin->classes.push_back(cls);
  add_plugin_properties(cls, record.properties, record.property_count, {offset, record.data_size});
  add_plugin_methods(cls, record.methods, record.method_count);
  add_plugin_events(cls, record.events, record.event_count);
  add_shared_methods(cls, record.shared_methods, record.shared_method_count, pending.plugin->exports);
  attach_interfaces(cls, record.interfaces);
  return true;
}

}  // namespace

ClassObject* register_plugin_control(QlPluginControlRecord& record, LoadedPlugin& plugin) {
  if (!usable_name(record.name) || plugin_class_name_taken(record.name)) return nullptr;
  if (record.data_size < 0 || record.data_size > kMaxDataSize) return nullptr;
  ClassObject* rect_control = builtin_class("RectControl");
  if (!rect_control) return nullptr;
  ClassObject* cls = new_class(record.name, rect_control, kControlDataOffset + record.data_size);
  record.data_offset = kControlDataOffset;

  PluginControl& control = registry().controls.emplace_back();
  control.cls = cls;
  control.record = &record;
  control.behaviour = record.behaviour ? record.behaviour : &kNoBehaviour;
  control.flags = record.flags;
  registry().control_of_class[cls] = &control;
  cls->constructor = construct_control;
  cls->destructor = destroy_control;
  uintptr_t create_pane =
      reinterpret_cast<uintptr_t>(control.flags & QL_PLUGIN_INVISIBLE ? create_no_pane : create_plugin_pane);
  cls->hooks.push_back({"CreatePane", 0, create_pane});
  register_plugin_class(cls);
  plugin.classes.push_back(cls);

  add_plugin_properties(cls, record.properties, record.property_count,
                        {kControlDataOffset, record.data_size});
  add_plugin_methods(cls, record.methods, record.method_count);
  add_plugin_events(cls, record.events, record.event_count);
  if (record.version >= 4) {
    add_shared_methods(cls, record.shared_methods, record.shared_method_count, plugin.exports);
    attach_interfaces(cls, record.interfaces);
  }
  return cls;
}

bool queue_plugin_class(QlPluginClassRecord& record, LoadedPlugin& plugin) {
  if (!usable_name(record.name) || plugin_class_name_taken(record.name)) return false;
  if (record.data_size < 0 || record.data_size > kMaxDataSize) return false;
  registry().pending.push_back({&record, &plugin});
  return true;
}

void complete_plugin_classes() {
  for (PendingClass& pending : registry().pending) complete(pending);
}

bool extend_plugin_class(const QlPluginClassRecord& record) {
  if (!usable_name(record.name)) return false;
  ClassObject* cls = class_by_name(record.name);
  if (!cls) return false;
  add_plugin_properties(cls, record.properties, record.property_count, PluginData{});
  add_plugin_methods(cls, record.methods, record.method_count);
  add_plugin_events(cls, record.events, record.event_count);
  return true;
}

bool plugin_class_name_taken(const char* name) { return class_by_name(name) || pending_named(name); }

const PluginControl* plugin_control_of(QlObject* instance) {
  for (const ClassObject* cls = class_of(instance); cls; cls = cls->superclass) {
    auto found = registry().control_of_class.find(cls);
    if (found != registry().control_of_class.end()) return found->second;
  }
  return nullptr;
}

}  // namespace ql
