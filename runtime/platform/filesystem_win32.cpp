// The file system of folder items and file streams on Win32.
#include <windows.h>
// Headers that build on windows.h follow it.
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#include "platform/platform.h"

namespace ql::platform {

namespace {

FileHandle handle_result(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}
HANDLE handle_of(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The paths of this section are read into 1024-byte buffers.
constexpr DWORD kPathBuffer = 1024;

int64_t as_ticks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

int64_t local_ticks(const FILETIME& time) {
  FILETIME local;
  return FileTimeToLocalFileTime(&time, &local) ? as_ticks(local) : 0;
}

bool answer(DWORD n, const char* buffer, DWORD capacity, std::string& out) {
  if (n == 0 || n >= capacity) {
    out.clear();
    return false;
  }
  out.assign(buffer, n);
  return true;
}

}  // namespace

FileHandle file_open_existing(const char* path, bool writable) {
  DWORD access = GENERIC_READ | (writable ? GENERIC_WRITE : 0);
  return handle_result(
      CreateFileA(path, access, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle file_create_read_write(const char* path) {
  return handle_result(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
}

int64_t file_position(FileHandle file) {
  LARGE_INTEGER zero, position;
  zero.QuadPart = 0;
  if (file == kNoFile || !SetFilePointerEx(handle_of(file), zero, &position, FILE_CURRENT)) return -1;
  return position.QuadPart;
}

bool file_set_end(FileHandle file) { return file != kNoFile && SetEndOfFile(handle_of(file)) != FALSE; }

bool find_file(const char* path, FileEntry& out) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(path, &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  out.attributes = data.dwFileAttributes;
  out.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  out.creation_time = local_ticks(data.ftCreationTime);
  out.last_write_time = local_ticks(data.ftLastWriteTime);
  return true;
}

bool list_folder(const char* folder, std::vector<std::string>& names) {
  names.clear();
  std::string pattern = std::string(folder) + "\\*.*";
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(std::move(name));
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return true;
}

bool set_file_attributes(const char* path, uint32_t attributes) {
  // Only these can be set; the rest of what a search reports (directory, compressed...) is the system's.
  attributes &= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  // 0 would mean "leave them as they are" to the file system; a file without attributes is a normal one.
  return SetFileAttributesA(path, attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool set_file_time(const char* path, FileTimeKind which, int64_t local_time) {
  FILETIME local, universal;
  local.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(local_time));
  local.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(local_time) >> 32);
  if (!LocalFileTimeToFileTime(&local, &universal)) return false;
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool creation = which == FileTimeKind::kCreation;
  BOOL done = SetFileTime(file, creation ? &universal : nullptr, nullptr, creation ? nullptr : &universal);
  CloseHandle(file);
  return done != FALSE;
}

bool delete_file(const char* path) { return DeleteFileA(path) != FALSE; }
bool create_folder(const char* path) { return CreateDirectoryA(path, nullptr) != FALSE; }
bool copy_file(const char* from, const char* to) { return CopyFileA(from, to, FALSE) != FALSE; }
bool move_file(const char* from, const char* to) { return MoveFileA(from, to) != FALSE; }
bool rename_path(const char* from, const char* to) { return std::rename(from, to) == 0; }
bool replace_file(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool open_document(const char* path) {
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOW));
  return result > 32;
}

bool module_file_path(std::string& out) {
  char buffer[kPathBuffer];
  return answer(GetModuleFileNameA(nullptr, buffer, kPathBuffer), buffer, kPathBuffer, out);
}

bool shell_folder_path(int csidl, std::string& out) {
  out.clear();
  LPITEMIDLIST items = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, csidl, &items) != S_OK || !items) return false;
  char buffer[kPathBuffer] = {};
  bool found = SHGetPathFromIDListA(items, buffer) != FALSE;
  IMalloc* allocator = nullptr;
  if (SHGetMalloc(&allocator) == S_OK && allocator) {
    allocator->Free(items);
    allocator->Release();
  }
  if (!found || !buffer[0]) return false;
  out = buffer;
  return true;
}

bool windows_folder_path(std::string& out) {
  char buffer[kPathBuffer];
  return answer(GetWindowsDirectoryA(buffer, kPathBuffer), buffer, kPathBuffer, out);
}

bool system_folder_path(std::string& out) {
  char buffer[kPathBuffer];
  return answer(GetSystemDirectoryA(buffer, kPathBuffer), buffer, kPathBuffer, out);
}

bool temp_folder_path(std::string& out) {
  char buffer[kPathBuffer];
  return answer(GetTempPathA(kPathBuffer, buffer), buffer, kPathBuffer, out);
}

bool temp_file_path(const char* folder, const char* prefix, std::string& out) {
  char buffer[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(folder, prefix, 0, buffer)) {
    out.clear();
    return false;
  }
  out = buffer;
  return true;
}

uint32_t logical_drives() { return GetLogicalDrives(); }

bool environment_variable(const char* name, std::string& out) {
  char buffer[kPathBuffer];
  return answer(GetEnvironmentVariableA(name, buffer, kPathBuffer), buffer, kPathBuffer, out);
}

}  // namespace ql::platform
