// The host's model of the file system of folder items and file streams: POSIX calls on paths whose
// backslashes stand for "/". Attributes are modelled as far as POSIX has them: a folder is a directory, a
// file without write permission is read-only, a name starting with "." is hidden.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>

#include "platform/platform.h"

namespace ql::platform {

namespace {

std::string native(const char* path) {
  std::string result = path ? path : "";
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

std::string windows_form(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string last_name(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr int64_t kUnixEpochTicks = 116444736000000000LL;

int64_t ticks_of(const timespec& time) {
  return kUnixEpochTicks + static_cast<int64_t>(time.tv_sec) * 10000000 + time.tv_nsec / 100;
}

bool assign(std::string& out, std::string value) {
  out = std::move(value);
  return !out.empty();
}

}  // namespace

FileHandle file_open_existing(const char* path, bool writable) {
  int fd = open(native(path).c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

FileHandle file_create_read_write(const char* path) {
  int fd = open(native(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd < 0 ? kNoFile : fd;
}

int64_t file_position(FileHandle file) {
  if (file == kNoFile) return -1;
  return lseek(static_cast<int>(file), 0, SEEK_CUR);
}

bool file_set_end(FileHandle file) {
  int64_t at = file_position(file);
  return at >= 0 && ftruncate(static_cast<int>(file), static_cast<off_t>(at)) == 0;
}

bool find_file(const char* path, FileEntry& out) {
  std::string name = native(path);
  // A search pattern with wildcards is not modelled, and a search never matches a trailing separator.
  if (name.empty() || name.back() == '/' || name.find_first_of("*?") != std::string::npos) return false;
  struct stat info;
  if (stat(name.c_str(), &info) != 0) return false;
  out.attributes = 0;
  if (S_ISDIR(info.st_mode)) out.attributes |= kAttributeDirectory;
  if (!(info.st_mode & S_IWUSR)) out.attributes |= kAttributeReadOnly;
  if (last_name(name).starts_with(".")) out.attributes |= kAttributeHidden;
  out.size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
  out.creation_time = ticks_of(info.st_ctim);
  out.last_write_time = ticks_of(info.st_mtim);
  return true;
}

bool list_folder(const char* folder, std::vector<std::string>& names) {
  names.clear();
  DIR* directory = opendir(native(folder).c_str());
  if (!directory) return false;
  while (dirent* entry = readdir(directory)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  closedir(directory);
  return true;
}

bool set_file_attributes(const char* path, uint32_t attributes) {
  std::string name = native(path);
  struct stat info;
  if (stat(name.c_str(), &info) != 0) return false;
  mode_t mode = info.st_mode & 07777;
  mode = (attributes & kAttributeReadOnly) ? (mode & ~0222) : (mode | S_IWUSR);
  return chmod(name.c_str(), mode) == 0;
}

bool set_file_time(const char* path, FileTimeKind which, int64_t local_time) {
  // POSIX keeps no creation time that could be set.
  if (which == FileTimeKind::kCreation) return false;
  int64_t since_epoch = local_time - kUnixEpochTicks;
  timespec times[2];
  times[0].tv_nsec = UTIME_OMIT;
  times[0].tv_sec = 0;
  times[1].tv_sec = static_cast<time_t>(since_epoch / 10000000);
  times[1].tv_nsec = static_cast<long>(since_epoch % 10000000) * 100;
  return utimensat(AT_FDCWD, native(path).c_str(), times, 0) == 0;
}

bool delete_file(const char* path) { return unlink(native(path).c_str()) == 0; }
bool create_folder(const char* path) { return mkdir(native(path).c_str(), 0755) == 0; }

bool copy_file(const char* from, const char* to) {
  FileHandle source = file_open_existing(from, false);
  if (source == kNoFile) return false;
  int target = open(native(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool copied = target >= 0;
  char block[65536];
  while (copied) {
    int64_t got = file_read(source, block, sizeof block);
    if (got <= 0) {
      copied = got == 0;
      break;
    }
    copied = file_write(target, block, got) == got;
  }
  if (target >= 0) close(target);
  file_close(source);
  return copied;
}

bool move_file(const char* from, const char* to) {
  struct stat info;
  if (lstat(native(to).c_str(), &info) == 0) return false;
  return rename(native(from).c_str(), native(to).c_str()) == 0;
}

bool rename_path(const char* from, const char* to) { return move_file(from, to); }
bool replace_file(const char* from, const char* to) {
  return rename(native(from).c_str(), native(to).c_str()) == 0;
}

bool open_document(const char*) { return false; }

bool module_file_path(std::string& out) {
  char buffer[1024];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || n >= static_cast<ssize_t>(sizeof buffer)) return assign(out, {});
  return assign(out, windows_form(std::string(buffer, static_cast<size_t>(n))));
}

bool shell_folder_path(int, std::string& out) { return assign(out, {}); }
bool windows_folder_path(std::string& out) { return assign(out, {}); }
bool system_folder_path(std::string& out) { return assign(out, {}); }

bool temp_folder_path(std::string& out) {
  const char* folder = getenv("TMPDIR");
  std::string path = folder && *folder ? folder : "/tmp";
  if (path.back() != '/') path += '/';
  return assign(out, windows_form(path));
}

bool temp_file_path(const char* folder, const char* prefix, std::string& out) {
  std::string pattern = native(folder);
  if (!pattern.empty() && pattern.back() != '/') pattern += '/';
  pattern += std::string(prefix) + "XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) return assign(out, {});
  close(fd);
  return assign(out, windows_form(pattern));
}

// The host models one drive, C.
uint32_t logical_drives() { return 1u << 2; }

bool environment_variable(const char* name, std::string& out) {
  const char* value = getenv(name);
  return assign(out, value ? value : "");
}

}  // namespace ql::platform
