// Writing a stored plug-in out and loading it: the folders it may go to, in order, and the rule that only a
// file found holding exactly the stored bytes is ever loaded.
#pragma once

#include <string>
#include <vector>

#include "image/plugin_chain.h"

namespace ql {

struct PluginFolder {
  std::string path;
  bool make_when_missing = false;  // the runtime's own folder is made on first use
};

// The system folder, the Windows folder, then the runtime's own folder under the user's local application
// data (%LOCALAPPDATA%\Quillet\Plugins), which needs no administrator rights. Folders the system cannot
// name are left out.
std::vector<PluginFolder> plugin_folders();

enum class PluginInstall {
  kLoaded,       // its entry ran
  kRefusedName,  // the stored file name is not a plain file name: the user was told
  kNotPlaced,    // no folder could be made to hold exactly the stored bytes
  kNotLoaded,    // the file holds the bytes, but it does not load or lacks QUILPluginMain
};

// For each folder in turn: a file of the plug-in's name that already holds exactly the stored bytes is
// loaded as it is; otherwise the bytes are written, read back and, when they match, loaded. A file that
// cannot be written or reads back other bytes (an older or planted file) is never loaded: the next
// folder is tried. The file is held open against writers from the check until the load.
PluginInstall install_stored_plugin(const image::StoredPlugin& plugin,
                                    const std::vector<PluginFolder>& folders);

}  // namespace ql
