// The members a plug-in record gives a class: properties, methods, events, shared methods and interfaces.
// Each member that cannot be made (an unknown type, a malformed declaration, a missing routine) is left
// out on its own; the others are still added.
#pragma once

#include <stdint.h>

#include "plugins/plugin_properties.h"
#include "quillet/plugin_records.h"

namespace ql {

struct ClassObject;
struct EventDefinition;

// The type check of plug-in declarations: the six built-in type names, else a class of that name.
bool known_plugin_type(const char* type_name);

void add_plugin_properties(ClassObject* cls, const QlPluginPropertyRecord* records, int32_t count,
                           PluginData data);
void add_plugin_methods(ClassObject* cls, const QlPluginMethodRecord* records, int32_t count);
// Each event's descriptor is written into its record.
void add_plugin_events(ClassObject* cls, QlPluginEventRecord* records, int32_t count);
void add_shared_methods(ClassObject* cls, const QlPluginSharedMethodRecord* records, int32_t count,
                        const QlPluginExport* exports);
// Attaches each interface of the comma-separated list that exists and whose methods cls implements.
void attach_interfaces(ClassObject* cls, const char* names);

// A method outside any class, for the plug-in global methods' list; false when its declaration is
// malformed or it has no routine.
bool add_global_method(const QlPluginMethodRecord& record);

// The descriptor an event record got, or null for anything else.
const EventDefinition* plugin_event(const void* descriptor);

}  // namespace ql
