// Entry points that answer folder items: by name, children, folder entries and parents.
#include "files/folder_item.h"
#include "files/folder_listing.h"
#include "files/paths.h"
#include "quillet/files.h"

using ql::folder_item_path;
using ql::new_folder_item;
using ql::text_of;

namespace {

QlObject* child_of(QlObject* item, QlString name) {
  if (!ql::as_folder_item(item)) return nullptr;
  return new_folder_item(folder_item_path(item) + "\\" + text_of(name));
}

QlObject* folder_entry(QlObject* item, int32_t n) {
  if (!ql::as_folder_item(item)) return nullptr;
  std::string folder = folder_item_path(item);
  std::string name;
  if (!ql::folder_entry_name(folder, n, name)) return nullptr;
  return new_folder_item(folder + "\\" + name);
}

}  // namespace

QL_API QlObject* RuntimeGetFolderItem(QlString name) {
  return new_folder_item(ql::combine_child(ql::application_folder(), text_of(name)));
}

QL_API QlObject* RuntimeGetTrueFolderItem(QlString name) { return RuntimeGetFolderItem(name); }

QL_API QlObject* FolderChild(QlObject* item, QlString name) { return child_of(item, name); }
QL_API QlObject* FolderTrueChild(QlObject* item, QlString name) { return child_of(item, name); }

QL_API QlObject* FolderItemItem(QlObject* item, int32_t n) { return folder_entry(item, n); }
QL_API QlObject* FolderItemTrueItem(QlObject* item, int32_t n) { return folder_entry(item, n); }

QL_API int32_t fileCountGetter(QlObject* item) {
  if (!ql::as_folder_item(item)) return 0;
  return ql::count_folder_entries(folder_item_path(item));
}

QL_API QlObject* folderParentGetter(QlObject* item) {
  if (!ql::as_folder_item(item)) return nullptr;
  std::string path = folder_item_path(item);
  std::string parent = ql::parent_path(path);
  if (ql::paths_equal(parent, path)) return nullptr;
  return new_folder_item(parent);
}
