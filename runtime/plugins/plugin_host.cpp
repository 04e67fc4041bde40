// The loaded plug-ins and the resolver.
#include "plugins/plugin_host.h"

#include <deque>

namespace ql {

namespace {

struct Host {
  std::deque<LoadedPlugin> plugins;  // stable addresses: classes point back at their plug-in
  LoadedPlugin* current = nullptr;
  EntryPointLookup lookup = nullptr;
};

Host& host() {
  static auto* h = new Host;
  return *h;
}

}  // namespace

void set_entry_point_lookup(EntryPointLookup lookup) { host().lookup = lookup; }

void* resolve_host_routine(const char* name) {
  if (!name || !host().lookup) return nullptr;
  return host().lookup(name);
}

LoadedPlugin& run_plugin_main(QlPluginMain main, const std::string& file_name) {
  Host& h = host();
  LoadedPlugin& plugin = h.plugins.emplace_back();
  plugin.file_name = file_name;
  // An entry may load another plug-in's file itself; the outer one is current again afterwards.
  LoadedPlugin* outer = h.current;
  h.current = &plugin;
  main(resolve_host_routine);
  h.current = outer;
  return plugin;
}

LoadedPlugin* current_plugin() { return host().current; }

std::vector<LoadedPlugin*> loaded_plugins() {
  std::vector<LoadedPlugin*> out;
  for (LoadedPlugin& plugin : host().plugins) out.push_back(&plugin);
  return out;
}

}  // namespace ql
