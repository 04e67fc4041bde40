// Properties of plug-in classes: each becomes a property record of the runtime class whose getter and
// setter are the host's own routines for its value type; they read and write the value in the instance
// (direct access) or call the plug-in's routine.
#pragma once

#include <stdint.h>

#include "quillet/plugin_records.h"

namespace ql {

struct ClassObject;

// The plug-in data an accessor may address: from offset in the instance, size bytes long. A class
// extension has none (offset -1), so its properties cannot be direct.
struct PluginData {
  int32_t offset = -1;
  int32_t size = 0;
};

// Adds the property the record describes to cls. False, and nothing added, when its type names no type,
// when it has no getter and no setter, or when a direct accessor's value would lie outside the data.
bool add_plugin_property(ClassObject* cls, const QlPluginPropertyRecord& record, PluginData data);

}  // namespace ql
