// Whole-file reads, and writes that replace their target only once complete.
#include "qlimage/file_io.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <filesystem>

namespace qlimage {

std::optional<Bytes> read_file(const std::string& path, std::string& error) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) {
    error = path + ": is a directory, not a file";
    return std::nullopt;
  }
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) {
    error = path + ": cannot open: " + strerror(errno);
    return std::nullopt;
  }
  Bytes bytes;
  uint8_t buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  bool failed = ferror(file) != 0;
  fclose(file);
  if (failed) {
    error = path + ": read error";
    return std::nullopt;
  }
  return bytes;
}

bool write_file(const std::string& path, const Bytes& bytes, std::string& error) {
  std::string temporary = path + ".tmp" + std::to_string(getpid());
  FILE* file = fopen(temporary.c_str(), "wb");
  if (!file) {
    error = path + ": cannot create: " + strerror(errno);
    return false;
  }
  bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (fclose(file) == 0) && ok;
  std::error_code code;
  if (ok) std::filesystem::rename(temporary, path, code);
  if (!ok || code) {
    error = path + ": cannot write: " + (code ? code.message() : std::string(strerror(errno)));
    std::filesystem::remove(temporary, code);
    return false;
  }
  return true;
}

}  // namespace qlimage
