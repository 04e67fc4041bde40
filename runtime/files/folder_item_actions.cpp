// Actions on folder items: deleting, making folders, copying, moving, opening with the shell, and the media
// a file can be opened as. A refused system call leaves everything as it was.
#include "files/file_lookup.h"
#include "files/folder_item.h"
#include "files/other_layers.h"
#include "files/paths.h"
#include "quillet/files.h"

using ql::folder_item_path;

namespace {

// The item's path when the system can be given it; empty otherwise.
std::string usable_path_of(QlObject* item) {
  if (!ql::as_folder_item(item)) return {};
  std::string path = folder_item_path(item);
  return ql::usable_path(path) ? path : std::string();
}

// Into a folder under the item's own name, or onto the destination's path.
std::string transfer_target(const std::string& source, QlObject* destination) {
  std::string target = usable_path_of(destination);
  if (target.empty()) return {};
  if (ql::is_directory_path(target)) target += "\\" + std::string(ql::split_path(source).name);
  return ql::usable_path(target) ? target : std::string();
}

}  // namespace

QL_API void FolderItemDelete(QlObject* item) {
  std::string path = usable_path_of(item);
  if (!path.empty()) ql::platform::delete_file(path.c_str());
}

QL_API void FolderItemCreateAsFolder(QlObject* item) {
  std::string path = usable_path_of(item);
  if (!path.empty()) ql::platform::create_folder(path.c_str());
}

QL_API void FolderItemCopyFileTo(QlObject* item, QlObject* destination) {
  std::string source = usable_path_of(item);
  std::string target = source.empty() ? std::string() : transfer_target(source, destination);
  if (!target.empty()) ql::platform::copy_file(source.c_str(), target.c_str());
}

QL_API void FolderItemMoveFileTo(QlObject* item, QlObject* destination) {
  std::string source = usable_path_of(item);
  std::string target = source.empty() ? std::string() : transfer_target(source, destination);
  if (!target.empty()) ql::platform::move_file(source.c_str(), target.c_str());
}

QL_API bool FolderItemRenameOver(QlObject* item, QlString name) {
  ql::FolderItemObject* folder_item = ql::as_folder_item(item);
  if (!folder_item) return false;
  std::string path = folder_item_path(item);
  std::string renamed = ql::combine_sibling(path, ql::text_of(name));
  ql::platform::FileEntry entry;
  if (!ql::look_up(path, entry) || !ql::usable_path(renamed) ||
      !ql::platform::replace_file(path.c_str(), renamed.c_str()))
    return false;
  ql::set_folder_item_path(folder_item, renamed);
  return true;
}

QL_API void FolderItemLaunch(QlObject* item) {
  std::string path = usable_path_of(item);
  if (!path.empty()) ql::platform::open_document(path.c_str());
}

QL_API QlObject* FolderItemOpenImage(QlObject* item) {
  std::string path = usable_path_of(item);
  ql::PictureLoader load = ql::picture_loader();
  return path.empty() || !load ? nullptr : load(path.c_str());
}

QL_API QlObject* FolderItemOpenSound(QlObject* item) {
  ql::SoundLoader load = ql::sound_loader();
  return load && ql::as_folder_item(item) ? load(item) : nullptr;
}
QL_API QlObject* FolderItemOpenMovie(QlObject*) { return nullptr; }
QL_API void FolderItemSaveAsPicture(QlObject*, QlObject*) {}

// The styled text engine that would load or save the field's text is not part of this runtime.
QL_API void FolderItemOpenStyledEditField(QlObject*, QlObject*) {}
QL_API void FolderItemSaveStyledEditField(QlObject*, QlObject*) {}
