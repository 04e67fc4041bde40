// Opening streams on folder items. Each opener answers a new stream, or nil when the system refuses the file.
#include "files/file_lookup.h"
#include "files/file_object.h"
#include "files/folder_item.h"
#include "files/stream_objects.h"
#include "quillet/files.h"

using ql::FileAccess;

namespace {

// The item's path; empty for nil and for objects that are no folder item, which no open accepts.
std::string path_of(QlObject* item) {
  return ql::as_folder_item(item) ? ql::folder_item_path(item) : std::string();
}

}  // namespace

QL_API QlObject* FolderItemOpenTextFile(QlObject* item) {
  return ql::new_text_input_stream(ql::open_file(path_of(item), FileAccess::kRead));
}

QL_API QlObject* FolderItemCreateTextFile(QlObject* item) {
  return ql::new_text_output_stream(ql::create_file(path_of(item)));
}

QL_API QlObject* FolderItemAppendTextFile(QlObject* item) {
  std::string path = path_of(item);
  ql::FileObject* file = ql::open_file(path, FileAccess::kReadWrite);
  if (file) {
    int64_t end = file->length();
    if (end < 0 || !file->set_position(end)) {
      // Writing anywhere but at the end would overwrite what the file holds.
      ql::destroy_file(file);
      return nullptr;
    }
    return ql::new_text_output_stream(file);
  }
  // Only a missing file is created: one that exists but cannot be opened for writing keeps its contents.
  ql::platform::FileEntry entry;
  if (ql::look_up(path, entry)) return nullptr;
  return ql::new_text_output_stream(ql::create_file(path));
}

QL_API QlObject* FolderItemOpenBinaryFile(QlObject* item, bool writable) {
  return ql::new_binary_stream(
      ql::open_file(path_of(item), writable ? FileAccess::kReadWrite : FileAccess::kRead));
}

QL_API QlObject* FolderItemCreateBinaryFile(QlObject* item) {
  return ql::new_binary_stream(ql::create_file(path_of(item)));
}
