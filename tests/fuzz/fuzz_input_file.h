// The fuzz input as a file on disk, for targets whose code under test reads files: one path per process,
// rewritten for every input and removed when the process ends.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace ql::fuzz {

inline const std::string& input_path() {
  static const std::string path = [] {
    const char* folder = getenv("TMPDIR");
    std::string p = std::string(folder && *folder ? folder : "/tmp") + "/qlfuzz-" + std::to_string(getpid());
    atexit([] { unlink(input_path().c_str()); });
    return p;
  }();
  return path;
}

// Writes the input to input_path(); aborts when the file cannot be written, since every later result would
// then be about a stale file.
inline const std::string& write_input_file(const uint8_t* data, size_t size) {
  const std::string& path = input_path();
  FILE* file = fopen(path.c_str(), "wb");
  if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0) {
    perror(path.c_str());
    abort();
  }
  return path;
}

}  // namespace ql::fuzz
