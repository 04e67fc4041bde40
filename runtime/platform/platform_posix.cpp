// POSIX implementation of the platform seam for host tests and fuzzers: the C heap, a recursive pthread
// mutex, POSIX files and _exit. The code page model lives in code_page_posix.cpp.
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "platform/platform.h"

namespace ql::platform {

void* heap_alloc(size_t n) { return malloc(n == 0 ? 1 : n); }

void heap_free(void* p) { free(p); }

static_assert(sizeof(pthread_mutex_t) <= 64 && alignof(pthread_mutex_t) <= 16);

namespace {
pthread_mutex_t* mutex_of(unsigned char* storage) {
  return std::launder(reinterpret_cast<pthread_mutex_t*>(storage));
}
}  // namespace

CriticalSection::CriticalSection() {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(new (storage_) pthread_mutex_t, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

CriticalSection::~CriticalSection() { pthread_mutex_destroy(mutex_of(storage_)); }

void CriticalSection::enter() { pthread_mutex_lock(mutex_of(storage_)); }

void CriticalSection::leave() { pthread_mutex_unlock(mutex_of(storage_)); }

FileHandle file_open_read(const char* path) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

FileHandle file_create(const char* path) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd < 0 ? kNoFile : fd;
}

int64_t file_size(FileHandle file) {
  struct stat info;
  if (file == kNoFile || fstat(static_cast<int>(file), &info) != 0) return -1;
  return info.st_size;
}

bool file_seek(FileHandle file, int64_t offset) {
  if (file == kNoFile || offset < 0) return false;
  return lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) == offset;
}

// Like ReadFile on a disk file: keeps reading until n bytes arrived or the file ends.
int64_t file_read(FileHandle file, void* buffer, int64_t n) {
  if (file == kNoFile || n < 0) return -1;
  int64_t done = 0;
  while (done < n) {
    ssize_t got =
        read(static_cast<int>(file), static_cast<char*>(buffer) + done, static_cast<size_t>(n - done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

int64_t file_write(FileHandle file, const void* buffer, int64_t n) {
  if (file == kNoFile || n < 0) return -1;
  int64_t done = 0;
  while (done < n) {
    ssize_t put =
        write(static_cast<int>(file), static_cast<const char*>(buffer) + done, static_cast<size_t>(n - done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return -1;
    done += put;
  }
  return done;
}

void file_close(FileHandle file) {
  if (file != kNoFile) close(static_cast<int>(file));
}

void exit_process(int code) { _exit(code); }

void show_plain_message(const char* text) {
  fputs(text, stderr);
  fputc('\n', stderr);
}

}  // namespace ql::platform
