// The program file and its image memory, on Win32.
#include <windows.h>

#include <ole2.h>

#include <cstring>

#include "platform/platform.h"

namespace ql::platform {

int read_pickle_resource(uint8_t out[8]) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(101), "PICKLE");
  if (!resource) return -1;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return -1;
  DWORD size = SizeofResource(module, resource);
  int n = size < 8 ? static_cast<int>(size) : 8;
  std::memcpy(out, bytes, n);
  return n;
}

bool program_file_path(char* out, size_t capacity) {
  DWORD n = GetModuleFileNameA(nullptr, out, static_cast<DWORD>(capacity < 512 ? capacity : 512));
  return n > 0 && n < capacity;
}

void* reserve_image_region(size_t size) {
#ifdef _WIN64
  // Placed below 2 GiB so that every address in the image fits the image's 32-bit words; the first free
  // range upward from 256 MiB wins.
  for (uintptr_t hint = 0x10000000; hint + size < 0x80000000u; hint += 0x01000000) {
    void* region =
        VirtualAlloc(reinterpret_cast<void*>(hint), size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (region) return region;
  }
  return nullptr;
#else
  return VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
#endif
}

bool make_executable(void* start, size_t size) {
  DWORD old_protection;
  if (!VirtualProtect(start, size, PAGE_EXECUTE_READ, &old_protection)) return false;
  FlushInstructionCache(GetCurrentProcess(), start, size);
  return true;
}

bool make_writable(void* start, size_t size) {
  DWORD old_protection;
  return VirtualProtect(start, size, PAGE_READWRITE, &old_protection) != 0;
}

void release_image_region(void* region, size_t) { VirtualFree(region, 0, MEM_RELEASE); }

void ole_initialize() { OleInitialize(nullptr); }
void ole_uninitialize() { OleUninitialize(); }

}  // namespace ql::platform
