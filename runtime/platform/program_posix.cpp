// The host has no program resources or OLE; image memory comes from mmap so that the loader's core can be
// exercised in tests.
#include <dlfcn.h>
#include <sys/mman.h>

#include "platform/platform.h"

namespace ql::platform {

int read_pickle_resource(uint8_t*) { return -1; }

bool program_file_path(char* out, size_t capacity) {
  if (capacity == 0) return false;
  out[0] = 0;
  return false;
}

void* reserve_image_region(size_t size) {
  void* region = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  return region == MAP_FAILED ? nullptr : region;
}

bool make_executable(void* start, size_t size) { return mprotect(start, size, PROT_READ | PROT_EXEC) == 0; }

bool make_writable(void* start, size_t size) { return mprotect(start, size, PROT_READ | PROT_WRITE) == 0; }

void release_image_region(void* region, size_t size) { munmap(region, size); }

void restrict_library_search() {}
void* load_system_library(const char* name) { return dlopen(name, RTLD_NOW); }
void* load_library(const char* name) { return dlopen(name, RTLD_NOW); }
void* library_routine(void* library, const char* routine) { return dlsym(library, routine); }

void ole_initialize() {}
void ole_uninitialize() {}

}  // namespace ql::platform
