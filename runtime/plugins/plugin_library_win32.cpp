// Loading plug-in DLLs on Windows. LOAD_WITH_ALTERED_SEARCH_PATH with a full path makes the loader take
// exactly that file, and look for the DLL's own dependencies in its folder before anywhere else.
#include <windows.h>

#include "plugins/plugin_library.h"

namespace ql {

QlPluginMain load_plugin_entry(const std::string& full_path) {
  HMODULE module = LoadLibraryExA(full_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) return nullptr;
  auto entry =
      reinterpret_cast<QlPluginMain>(reinterpret_cast<void*>(GetProcAddress(module, "QUILPluginMain")));
  if (!entry) FreeLibrary(module);
  return entry;
}

}  // namespace ql
