// The plug-ins the host has loaded: each one's version, exports table and registrations, the plug-in whose
// entry is running, and the resolver plug-ins look host routines up through.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "quillet/plugin_records.h"

namespace ql {

struct ClassObject;

struct LoadedPlugin {
  std::string file_name;
  int32_t version = 1;  // until the plug-in registers one
  const QlPluginExport* exports = nullptr;
  std::vector<ClassObject*> classes;  // its classes and controls, in the order they were made
};

// Answers the address of the entry point of that name, or null; start-up hands the host its table's lookup.
using EntryPointLookup = void* (*)(std::string_view name);
void set_entry_point_lookup(EntryPointLookup lookup);

// The resolver handed to every plug-in's entry.
void* resolve_host_routine(const char* name);

// Makes a new plug-in record current and runs the plug-in's entry with the resolver; registrations made
// during the call belong to that plug-in.
LoadedPlugin& run_plugin_main(QlPluginMain main, const std::string& file_name);

// The plug-in whose entry is running, or null: registrations outside an entry are ignored.
LoadedPlugin* current_plugin();

// Every plug-in loaded, oldest first.
std::vector<LoadedPlugin*> loaded_plugins();

}  // namespace ql
