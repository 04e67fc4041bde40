// FolderItem objects and their paths, the application's folder, and the text conversions of this layer.
#include "files/folder_item.h"

#include "files/file_classes.h"
#include "files/paths.h"
#include "objects/objects.h"
#include "platform/platform.h"
#include "values/string.h"

namespace ql {

FolderItemObject* as_folder_item(QlObject* object) {
  if (!object || !object_isa(object, folder_item_class())) return nullptr;
  return reinterpret_cast<FolderItemObject*>(object);
}

QlObject* new_folder_item(std::string_view path) {
  QlObject* object = new_object(folder_item_class());
  set_folder_item_path(reinterpret_cast<FolderItemObject*>(object), path);
  return object;
}

void destroy_folder_item(QlObject* object, ClassObject*) {
  auto* item = reinterpret_cast<FolderItemObject*>(object);
  string_release(item->path);
  item->path = nullptr;
  item->path_known = 0;
}

std::string application_folder() {
  std::string program;
  if (!platform::module_file_path(program)) return {};
  return parent_path(program);
}

std::string folder_item_path(QlObject* object) {
  FolderItemObject* item = as_folder_item(object);
  if (!item) return {};
  if (!item->path_known) {
    std::string folder = application_folder();
    if (folder.empty()) return {};
    set_folder_item_path(item, folder);
  }
  return text_of(item->path);
}

void set_folder_item_path(FolderItemObject* item, std::string_view path) {
  QlString old = item->path;
  item->path = string_of(path);
  item->path_known = 1;
  string_release(old);
}

std::string text_of(QlString s) {
  return std::string(string_cview(s), static_cast<size_t>(string_length(s)));
}

QlString string_of(std::string_view text) {
  if (text.empty()) return nullptr;
  return string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
}

}  // namespace ql
