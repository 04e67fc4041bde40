// The entry points plug-ins register through, and those that find what classes implement. The plug-in's
// version decides what a class or method registration means; a control record carries its own version.
#include <stdint.h>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "plugins/plugin_classes.h"
#include "plugins/plugin_conversion.h"
#include "plugins/plugin_host.h"
#include "plugins/plugin_members.h"
#include "quillet/plugins.h"

namespace {

constexpr int32_t kFirstRecordVersion = 1;
constexpr int32_t kClassRecordVersion = 3;

}  // namespace

QL_API void RegisterPluginVersion(int32_t version) {
  if (ql::LoadedPlugin* plugin = ql::current_plugin()) plugin->version = version;
}

QL_API void RegisterPluginExports(const QlPluginExport* table) {
  if (ql::LoadedPlugin* plugin = ql::current_plugin()) plugin->exports = table;
}

QL_API void PluginRegisterClass(QlPluginClassRecord* record) {
  ql::LoadedPlugin* plugin = ql::current_plugin();
  if (!record || !plugin || plugin->version < kClassRecordVersion) return;
  ql::queue_plugin_class(*record, *plugin);
}

QL_API void PluginRegisterClassExtension(QlPluginClassRecord* record) {
  ql::LoadedPlugin* plugin = ql::current_plugin();
  if (!record || !plugin || plugin->version < kClassRecordVersion) return;
  ql::extend_plugin_class(*record);
}

QL_API void PluginRegisterMethod(const void* record) {
  ql::LoadedPlugin* plugin = ql::current_plugin();
  if (!record || !plugin) return;
  if (plugin->version == kFirstRecordVersion) {
    ql::add_global_method(
        ql::convert_method_record(*static_cast<const QlPluginMethodRecordV1*>(record), plugin->exports));
  } else if (plugin->version >= kClassRecordVersion) {
    ql::add_global_method(*static_cast<const QlPluginMethodRecord*>(record));
  }
}

QL_API void PluginRegisterControl(void* record) {
  ql::LoadedPlugin* plugin = ql::current_plugin();
  if (!record || !plugin) return;
  int32_t version = *static_cast<const int32_t*>(record);
  if (version == kFirstRecordVersion) {
    auto* old = static_cast<QlPluginControlRecordV1*>(record);
    QlPluginControlRecord* converted = ql::convert_control_record(*old, plugin->exports);
    if (ql::register_plugin_control(*converted, *plugin)) old->data_offset = converted->data_offset;
  } else if (version >= kClassRecordVersion) {
    ql::register_plugin_control(*static_cast<QlPluginControlRecord*>(record), *plugin);
  }
}

QL_API QlObject* PluginNewInstance(const char* class_name) {
  if (!class_name) return nullptr;
  ql::ClassObject* cls = ql::class_by_name(class_name);
  if (!cls || cls->is_interface) return nullptr;
  return ql::new_object(cls);
}

QL_API void* GetInterfaceRoutine(QlObject* object, const char* interface_name, const char* routine_name) {
  if (!object || !interface_name || !routine_name) return nullptr;
  for (const ql::ClassObject* cls = ql::class_of(object); cls; cls = cls->superclass) {
    for (const ql::InterfaceEntry& entry : cls->interfaces) {
      if (!ql::names_equal(ql::class_name(entry.interface_class), interface_name)) continue;
      const ql::MethodRecord* method = ql::find_method(ql::class_of(object), routine_name);
      return method ? reinterpret_cast<void*>(method->code) : nullptr;
    }
  }
  return nullptr;
}

QL_API void* GetEventInstance(QlObject* instance, const void* event_descriptor) {
  const ql::EventDefinition* event = ql::plugin_event(event_descriptor);
  if (!instance || !event) return nullptr;
  return reinterpret_cast<void*>(ql::find_event_handler(instance, *event));
}
