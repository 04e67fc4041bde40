// debugDumpObjects: the pool's usage, the number of live objects and the class of each, written to a file.
#include <string>

#include "files/file_object.h"
#include "files/folder_item.h"
#include "objects/class_object.h"
#include "objects/objects.h"
#include "quillet/files.h"
#include "values/pool.h"

QL_API void debugDumpObjects(QlObject* folder_item) {
  if (!ql::as_folder_item(folder_item)) return;
  // Counted before anything is written: writing itself uses the pool.
  int64_t pool_bytes = ql::process_pool().bytes_outstanding();
  int32_t objects = ql::live_object_count();
  // The file is written through a file object, not a stream object, so the dump does not list itself.
  ql::FileObject* file = ql::create_file(ql::folder_item_path(folder_item));
  if (!file) return;
  std::string text =
      std::to_string(pool_bytes) + " used in heap1\r\n" + std::to_string(objects) + " objects\r\n";
  for (QlObject* object = ql::first_live_object(); object; object = ql::next_live_object(object)) {
    std::string name = ql::nearest_class_name(ql::class_of(object));
    text += name.empty() ? "<Unnamed object class>" : name;
    text += "\r\n";
  }
  file->write(text.data(), static_cast<int32_t>(text.size()));
  ql::destroy_file(file);
}
