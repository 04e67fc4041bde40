// What an application's entry routine needs to start the runtime.
#pragma once

#include "quillet/start.h"

// Defined by qlimage: data1's two header words {entry routine, project table} and the word holding the
// address of the first stored plug-in (0 when the image stores none).
extern "C" const uint32_t ql_data1_header[2];
extern "C" const uint32_t ql_plugin_chain_head;

namespace quillet {

// The first two steps of every entry routine: record the stored plug-ins, then initialise the runtime
// with the project table.
inline void start_runtime() {
  Win32InstallPlugins(reinterpret_cast<void*>(static_cast<uintptr_t>(ql_plugin_chain_head)));
  RuntimeInit(reinterpret_cast<void*>(static_cast<uintptr_t>(ql_data1_header[1])));
}

}  // namespace quillet
