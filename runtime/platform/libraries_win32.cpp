// Loading DLLs by name on Win32 without letting the program's folder stand in for the system's: the system
// folder alone for the system's DLLs, and for the delay-loaded imports through mingw-w64's delay-load hook.
#include <windows.h>

#include <delayimp.h>

#include <cstring>
#include <string>

#include "platform/platform.h"

namespace ql::platform {

namespace {

// LoadLibraryEx's LOAD_LIBRARY_SEARCH_* flags work where SetDefaultDllDirectories exists: Windows 8 and
// later, and Windows 7 with KB2533623.
bool search_flags_work() {
  static const bool work = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  return work;
}

bool names_a_folder(const char* name) { return std::strpbrk(name, "\\/:") != nullptr; }

// Exactly folder\name; its own dependencies are looked for in that folder first.
HMODULE load_from(const std::string& folder, const char* name) {
  if (folder.empty()) return nullptr;
  return LoadLibraryExA((folder + "\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::string system_folder() {
  char path[MAX_PATH];
  UINT n = GetSystemDirectoryA(path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
}

std::string program_folder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path, n > 0 && n < MAX_PATH ? n : 0);
  size_t slash = file.find_last_of('\\');
  return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

// The delay-load helper asks before it loads a DLL itself; what this answers is used instead.
FARPROC WINAPI load_delayed_dll(unsigned notification, PDelayLoadInfo info) {
  if (notification != dliNotePreLoadLibrary || !info || !info->szDll) return nullptr;
  return reinterpret_cast<FARPROC>(load_system_library(info->szDll));
}

}  // namespace

void restrict_library_search() {
  using SetDefaultDllDirectoriesRoutine = BOOL(WINAPI*)(DWORD);
  auto set_default = reinterpret_cast<SetDefaultDllDirectoriesRoutine>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set_default && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  SetDllDirectoryA("");  // without it, at least the current folder leaves the search
}

void* load_system_library(const char* name) {
  if (names_a_folder(name)) return nullptr;
  if (search_flags_work()) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return load_from(system_folder(), name);
}

void* load_library(const char* name) {
  if (names_a_folder(name)) return LoadLibraryA(name);
  if (void* system = load_system_library(name)) return system;
  if (search_flags_work())
    return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  return load_from(program_folder(), name);
}

void* library_routine(void* library, const char* routine) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), routine));
}

}  // namespace ql::platform

// mingw-w64's delay-load helper calls this hook before it loads the DLL of a delay-loaded import.
extern "C" {
PfnDliHook __pfnDliNotifyHook2 = ql::platform::load_delayed_dll;
}
