// DiskFile, the file object behind every stream, and the opens that make one.
#include "files/file_object.h"

#include <new>

#include "files/paths.h"
#include "values/fatal.h"

namespace ql {

DiskFile::DiskFile(platform::FileHandle handle) : handle_(handle) {}

DiskFile::DiskFile(platform::FileHandle handle, std::string scratch_path)
    : handle_(handle), scratch_(true), scratch_path_(std::move(scratch_path)) {
  exit_list_add(this);
}

DiskFile::~DiskFile() { close(); }

int32_t DiskFile::read(void* buffer, int32_t n) {
  if (n <= 0) return 0;
  int64_t got = platform::file_read(handle_, buffer, n);
  return got > 0 ? static_cast<int32_t>(got) : 0;
}

int32_t DiskFile::write(const void* bytes, int32_t n) {
  if (n <= 0 || handle_ == platform::kNoFile) return 0;
  // On failure the file position tells how much arrived; the caller learns it from there.
  int64_t before = platform::file_position(handle_);
  if (platform::file_write(handle_, bytes, n) == n) return n;
  int64_t after = platform::file_position(handle_);
  return before >= 0 && after > before ? static_cast<int32_t>(after - before) : 0;
}

void DiskFile::close() {
  if (handle_ == platform::kNoFile) return;
  platform::file_close(handle_);
  handle_ = platform::kNoFile;
  if (scratch_) {
    platform::delete_file(scratch_path_.c_str());
    exit_list_remove(this);
  }
}

bool DiskFile::at_end() {
  int64_t at = position();
  return at >= 0 && at >= length();
}

bool DiskFile::set_position(int64_t position) { return platform::file_seek(handle_, position); }

int64_t DiskFile::length() { return platform::file_size(handle_); }

bool DiskFile::set_length(int64_t length) {
  int64_t at = position();
  if (length < 0 || at < 0 || !platform::file_seek(handle_, length)) return false;
  bool done = platform::file_set_end(handle_);
  platform::file_seek(handle_, at);
  return done;
}

int64_t DiskFile::position() { return platform::file_position(handle_); }

namespace {

template <typename... Args>
DiskFile* new_disk_file(Args&&... args) {
  auto* file = new (std::nothrow) DiskFile(std::forward<Args>(args)...);
  if (!file) fatal_out_of_memory();
  return file;
}

}  // namespace

FileObject* open_file(const std::string& path, FileAccess access) {
  if (!usable_path(path)) return nullptr;
  platform::FileHandle handle = platform::file_open_existing(path.c_str(), access == FileAccess::kReadWrite);
  return handle == platform::kNoFile ? nullptr : new_disk_file(handle);
}

FileObject* create_file(const std::string& path) {
  if (!usable_path(path)) return nullptr;
  platform::FileHandle handle = platform::file_create_read_write(path.c_str());
  return handle == platform::kNoFile ? nullptr : new_disk_file(handle);
}

DiskFile* create_scratch_file() {
  std::string folder, path;
  if (!platform::temp_folder_path(folder) || !platform::temp_file_path(folder.c_str(), "qlt", path))
    return nullptr;
  platform::FileHandle handle = platform::file_open_existing(path.c_str(), true);
  if (handle == platform::kNoFile) {
    platform::delete_file(path.c_str());
    return nullptr;
  }
  return new_disk_file(handle, std::move(path));
}

void destroy_file(FileObject* file) { delete file; }

}  // namespace ql
