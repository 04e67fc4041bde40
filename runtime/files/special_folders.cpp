// Folder items for the system's special folders, the drives, and new temporary files.
#include <string>

#include "files/folder_item.h"
#include "platform/platform.h"
#include "quillet/files.h"

namespace {

// Shell folder identifiers (CSIDL values).
constexpr int kDesktopDirectory = 16;
constexpr int kPrograms = 2;
constexpr int kControls = 3;
constexpr int kStartup = 7;
constexpr int kFonts = 20;
constexpr int kBitBucket = 10;
constexpr int kAppData = 26;

QlObject* item_or_nil(bool found, const std::string& path) {
  return found ? ql::new_folder_item(path) : nullptr;
}

QlObject* shell_folder(int csidl) {
  std::string path;
  return item_or_nil(ql::platform::shell_folder_path(csidl, path), path);
}

// Drive letters in the order volumes are counted: C to Z, then A and B.
char drive_letter(int order) { return static_cast<char>(order < 24 ? 'C' + order : 'A' + order - 24); }

}  // namespace

QL_API QlObject* getDesktopFolder() { return shell_folder(kDesktopDirectory); }
QL_API QlObject* getAppleMenuFolder() { return shell_folder(kPrograms); }
QL_API QlObject* getControlPanelsFolder() { return shell_folder(kControls); }
QL_API QlObject* getStartupItemsFolder() { return shell_folder(kStartup); }
QL_API QlObject* getFontsFolder() { return shell_folder(kFonts); }
QL_API QlObject* getTrashFolder() { return shell_folder(kBitBucket); }
QL_API QlObject* getShutdownItemsFolder() { return nullptr; }

QL_API QlObject* getPreferencesFolder() {
  std::string path;
  return item_or_nil(ql::platform::windows_folder_path(path), path);
}

QL_API QlObject* getSystemFolder() {
  std::string path;
  return item_or_nil(ql::platform::system_folder_path(path), path);
}

QL_API QlObject* getExtensionsFolder() { return getSystemFolder(); }

QL_API QlObject* getTemporaryItemsFolder() {
  std::string path;
  return item_or_nil(ql::platform::temp_folder_path(path), path);
}

// The environment's value is the one Windows sets from this same folder at logon; honouring it lets a user
// (or a test) move the folder for one program.
QL_API QlObject* getApplicationDataFolder() {
  std::string path;
  if (ql::platform::environment_variable("APPDATA", path)) return ql::new_folder_item(path);
  return shell_folder(kAppData);
}

QL_API QlObject* getTemporaryFolderItem() {
  std::string folder, path;
  bool made =
      ql::platform::temp_folder_path(folder) && ql::platform::temp_file_path(folder.c_str(), "qlt", path);
  return item_or_nil(made, path);
}

QL_API int32_t getVolumeCount() {
  uint32_t drives = ql::platform::logical_drives() & ((1u << 26) - 1);
  int32_t count = 0;
  for (; drives; drives &= drives - 1) ++count;
  return count;
}

QL_API QlObject* getVolume(int32_t index) {
  if (index < 0) return nullptr;
  uint32_t drives = ql::platform::logical_drives();
  for (int order = 0; order < 26; ++order) {
    char letter = drive_letter(order);
    if (!(drives & (1u << (letter - 'A')))) continue;
    if (index-- == 0) return ql::new_folder_item(std::string(1, letter) + ":");
  }
  return nullptr;
}
