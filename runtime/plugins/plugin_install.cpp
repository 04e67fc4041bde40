// Installing the stored plug-ins during runtime initialisation.
#include "plugins/plugin_install.h"

#include <string.h>

#include "platform/platform.h"
#include "plugins/plugin_classes.h"
#include "plugins/plugin_file_names.h"
#include "plugins/plugin_host.h"
#include "plugins/plugin_library.h"
#include "plugins/plugin_steps.h"
#include "values/fatal_stop.h"

namespace ql {

namespace {

constexpr int kLocalAppData = 0x001c;  // CSIDL_LOCAL_APPDATA

enum class Check { kDiffers, kLoaded, kNotLoaded };

// Opens the file against writers, compares it with the stored bytes and, when they match, loads it before
// anyone can change it.
Check load_if_holding(const std::string& path, const image::StoredPlugin& plugin, QlPluginMain& entry) {
  platform::FileHandle file = platform::file_open_read(path.c_str());
  if (file == platform::kNoFile) return Check::kDiffers;
  Check outcome = Check::kDiffers;
  if (platform::file_size(file) == static_cast<int64_t>(plugin.length)) {
    std::vector<uint8_t> bytes(plugin.length);
    int64_t read = plugin.length ? platform::file_read(file, bytes.data(), plugin.length) : 0;
    if (read == static_cast<int64_t>(plugin.length) &&
        memcmp(bytes.data(), plugin.bytes, plugin.length) == 0) {
      entry = load_plugin_entry(path);
      outcome = entry ? Check::kLoaded : Check::kNotLoaded;
    }
  }
  platform::file_close(file);
  return outcome;
}

bool write_file(const std::string& path, const image::StoredPlugin& plugin) {
  platform::FileHandle file = platform::file_create(path.c_str());
  if (file == platform::kNoFile) return false;
  bool written =
      platform::file_write(file, plugin.bytes, plugin.length) == static_cast<int64_t>(plugin.length);
  platform::file_close(file);
  return written;
}

void make_folder(const std::string& path) {
  // Each missing level in turn; a level that exists refuses, which is as good.
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    platform::create_folder(path.substr(0, at).c_str());
  platform::create_folder(path.c_str());
}

std::string joined(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

}  // namespace

std::vector<PluginFolder> plugin_folders() {
  std::vector<PluginFolder> folders;
  std::string path;
  if (platform::system_folder_path(path)) folders.push_back({path});
  if (platform::windows_folder_path(path)) folders.push_back({path});
  if (platform::shell_folder_path(kLocalAppData, path))
    folders.push_back({joined(path, "Quillet\\Plugins"), true});
  return folders;
}

PluginInstall install_stored_plugin(const image::StoredPlugin& plugin,
                                    const std::vector<PluginFolder>& folders) {
  if (!plain_file_name(plugin.file_name)) {
    show_stop_message(
        "The application image names the plug-in file \"" + plugin.file_name +
        "\", which is not a plain file name. The plug-in is not installed; the application goes "
        "on without it.");
    return PluginInstall::kRefusedName;
  }
  for (const PluginFolder& folder : folders) {
    std::string path = joined(folder.path, plugin.file_name);
    QlPluginMain entry = nullptr;
    Check check = load_if_holding(path, plugin, entry);
    if (check == Check::kDiffers) {
      if (folder.make_when_missing) make_folder(folder.path);
      if (!write_file(path, plugin)) continue;
      check = load_if_holding(path, plugin, entry);
    }
    if (check == Check::kNotLoaded) return PluginInstall::kNotLoaded;
    if (check == Check::kLoaded) {
      run_plugin_main(entry, plugin.file_name);
      return PluginInstall::kLoaded;
    }
  }
  return PluginInstall::kNotPlaced;
}

void install_plugins(const std::vector<image::StoredPlugin>& plugins, EntryPointLookup lookup) {
  set_entry_point_lookup(lookup);
  std::vector<PluginFolder> folders = plugin_folders();
  for (const image::StoredPlugin& plugin : plugins) install_stored_plugin(plugin, folders);
  complete_plugin_classes();
}

}  // namespace ql
