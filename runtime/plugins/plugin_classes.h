// The runtime classes plug-ins register: controls (subclasses of RectControl with a pane that forwards to
// the plug-in's behaviour table), classes that are not controls, and extensions of existing classes.
#pragma once

#include <stdint.h>

#include "quillet/plugin_records.h"

namespace ql {

struct ClassObject;
struct LoadedPlugin;

// A registered control class.
struct PluginControl {
  ClassObject* cls = nullptr;
  const QlPluginControlRecord* record = nullptr;
  const QlPluginBehaviour* behaviour = nullptr;  // never null: an empty table stands in for none
  uint32_t flags = 0;
};

// Makes the control class a version-3 or later record describes and writes its data offset into the
// record. Null, and nothing registered, when the record has no name, a class of that name exists or its
// data size is negative.
ClassObject* register_plugin_control(QlPluginControlRecord& record, LoadedPlugin& plugin);

// A class record, kept until every plug-in is loaded; false when it has no name, its name is taken or its
// data size is negative.
bool queue_plugin_class(QlPluginClassRecord& record, LoadedPlugin& plugin);

// Makes every class the plug-ins registered with PluginRegisterClass, in registration order, once every
// plug-in is loaded: a superclass of a later registration is made first. A class whose superclass cannot
// be found, or whose name is taken by then, is left out.
void complete_plugin_classes();

// Adds the record's properties, methods and events to the existing class of that name; false when there
// is none. The class keeps its instance layout, so the record's properties cannot be direct.
bool extend_plugin_class(const QlPluginClassRecord& record);

// Whether a class of that name exists or is waiting to be completed.
bool plugin_class_name_taken(const char* name);

// The control registration the instance's class chain leads to, or null for any other object.
const PluginControl* plugin_control_of(QlObject* instance);

}  // namespace ql
