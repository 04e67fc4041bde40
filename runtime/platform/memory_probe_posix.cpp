// Probing memory without touching it: the kernel copies it on our behalf and answers EFAULT where it
// cannot be read. process_vm_readv on the own process is the direct way; where a sandbox forbids it, a
// write into a pipe fails the same way.
#include <errno.h>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>

#include "platform/platform.h"

namespace ql::platform {
namespace {

constexpr size_t kChunk = 4096;

enum class Probe { kReadable, kUnreadable, kUnavailable };

Probe probe_by_copy(const char* p, size_t n) {
  char buffer[kChunk];
  while (n > 0) {
    const size_t chunk = std::min(n, kChunk);
    iovec local{buffer, chunk};
    iovec remote{const_cast<char*>(p), chunk};
    const ssize_t copied = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (copied < 0) return errno == EFAULT ? Probe::kUnreadable : Probe::kUnavailable;
    if (copied == 0) return Probe::kUnreadable;
    p += copied;
    n -= static_cast<size_t>(copied);
  }
  return Probe::kReadable;
}

bool probe_by_pipe(const char* p, size_t n) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  bool readable = true;
  char sink[kChunk];
  while (n > 0 && readable) {
    const ssize_t written = write(ends[1], p, std::min(n, kChunk));
    if (written <= 0) {
      readable = false;
      break;
    }
    p += written;
    n -= static_cast<size_t>(written);
    while (read(ends[0], sink, sizeof sink) > 0) {
    }
  }
  close(ends[0]);
  close(ends[1]);
  return readable;
}

}  // namespace

bool is_readable(const void* p, size_t n) {
  if (p == nullptr) return false;
  if (reinterpret_cast<uintptr_t>(p) + n < reinterpret_cast<uintptr_t>(p)) return false;
  const char* bytes = static_cast<const char*>(p);
  switch (probe_by_copy(bytes, n)) {
    case Probe::kReadable:
      return true;
    case Probe::kUnreadable:
      return false;
    case Probe::kUnavailable:
      break;
  }
  return probe_by_pipe(bytes, n);
}

}  // namespace ql::platform
