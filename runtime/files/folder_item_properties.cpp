// Properties of folder items. Every one works on the item's path; a failed system call gives the neutral
// value, and a setter whose call fails changes nothing.
#include "files/file_lookup.h"
#include "files/file_types.h"
#include "files/folder_item.h"
#include "files/other_layers.h"
#include "files/paths.h"
#include "quillet/files.h"

using ql::folder_item_path;
using ql::platform::FileEntry;

namespace {

// The entry of an item's file; false for nil, for other objects and when nothing exists there.
bool entry_of(QlObject* item, std::string& path, FileEntry& entry) {
  if (!ql::as_folder_item(item)) return false;
  path = folder_item_path(item);
  return ql::look_up(path, entry);
}

bool has_attribute(QlObject* item, uint32_t attribute) {
  std::string path;
  FileEntry entry;
  return entry_of(item, path, entry) && (entry.attributes & attribute);
}

void change_attribute(QlObject* item, uint32_t attribute, bool set) {
  std::string path;
  FileEntry entry;
  if (!entry_of(item, path, entry)) return;
  uint32_t attributes = set ? (entry.attributes | attribute) : (entry.attributes & ~attribute);
  if (attributes != entry.attributes) ql::platform::set_file_attributes(path.c_str(), attributes);
}

QlObject* file_time(QlObject* item, ql::platform::FileTimeKind which) {
  std::string path;
  FileEntry entry;
  const ql::DateRoutines& dates = ql::date_routines();
  if (!dates.make_date || !entry_of(item, path, entry)) return nullptr;
  bool creation = which == ql::platform::FileTimeKind::kCreation;
  return dates.make_date(creation ? entry.creation_time : entry.last_write_time);
}

void set_file_time(QlObject* item, QlObject* date, ql::platform::FileTimeKind which) {
  const ql::DateRoutines& dates = ql::date_routines();
  int64_t local_time = 0;
  if (!date || !dates.date_time || !dates.date_time(date, local_time) || !ql::as_folder_item(item)) return;
  std::string path = folder_item_path(item);
  if (ql::usable_path(path)) ql::platform::set_file_time(path.c_str(), which, local_time);
}

}  // namespace

QL_API bool fileExistsGetter(QlObject* item) {
  std::string path;
  FileEntry entry;
  return entry_of(item, path, entry);
}

QL_API QlString fileAbsolutePathGetter(QlObject* item) { return ql::string_of(folder_item_path(item)); }

QL_API QlString fileNameGetter(QlObject* item) {
  std::string path = folder_item_path(item);
  return ql::string_of(ql::split_path(path).name);
}

QL_API void fileNameSetter(QlObject* item, QlString name) {
  ql::FolderItemObject* folder_item = ql::as_folder_item(item);
  if (!folder_item) return;
  std::string path = folder_item_path(item);
  std::string renamed = ql::combine_sibling(path, ql::text_of(name));
  FileEntry entry;
  bool exists = ql::look_up(path, entry);
  // An item whose file exists keeps naming it when the rename is refused; one naming no file yet simply
  // takes the new name.
  if (exists && (!ql::usable_path(renamed) || !ql::platform::rename_path(path.c_str(), renamed.c_str())))
    return;
  ql::set_folder_item_path(folder_item, renamed);
}

QL_API int32_t fileSizeGetter(QlObject* item) {
  std::string path;
  FileEntry entry;
  if (!entry_of(item, path, entry)) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(entry.size));
}

QL_API int32_t fileRFSizeGetter(QlObject*) { return 0; }

QL_API bool fileDirectoryGetter(QlObject* item) {
  return ql::as_folder_item(item) && ql::is_directory_path(folder_item_path(item));
}

QL_API bool fileLockedGetter(QlObject* item) { return has_attribute(item, ql::platform::kAttributeReadOnly); }
QL_API void fileLockedSetter(QlObject* item, bool locked) {
  change_attribute(item, ql::platform::kAttributeReadOnly, locked);
}

QL_API bool fileVisibleGetter(QlObject* item) { return !has_attribute(item, ql::platform::kAttributeHidden); }
QL_API void fileVisibleSetter(QlObject* item, bool visible) {
  change_attribute(item, ql::platform::kAttributeHidden, !visible);
}

QL_API bool fileAliasGetter(QlObject*) { return false; }

QL_API QlString fileTypeGetter(QlObject* item) {
  if (!ql::as_folder_item(item)) return nullptr;
  return ql::string_of(ql::best_file_type(folder_item_path(item), ql::file_types()));
}

QL_API QlString fileMacTypeGetter(QlObject*) { return nullptr; }
QL_API void fileMacTypeSetter(QlObject*, QlString) {}
QL_API QlString fileMacCreatorGetter(QlObject*) { return nullptr; }
QL_API void fileMacCreatorSetter(QlObject*, QlString) {}

QL_API QlObject* folderGetCreation(QlObject* item) {
  return file_time(item, ql::platform::FileTimeKind::kCreation);
}
QL_API QlObject* folderGetModified(QlObject* item) {
  return file_time(item, ql::platform::FileTimeKind::kLastWrite);
}
QL_API void folderSetCreation(QlObject* item, QlObject* date) {
  set_file_time(item, date, ql::platform::FileTimeKind::kCreation);
}
QL_API void folderSetModified(QlObject* item, QlObject* date) {
  set_file_time(item, date, ql::platform::FileTimeKind::kLastWrite);
}

QL_API QlObject* folderFindFolder(QlObject*, int32_t) { return nullptr; }
