// A scratch directory for tests that run qlimage's commands on real files; removed afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "qlimage/bytes.h"

namespace qltest {

class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("qlimage_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string write(const std::string& name, const qlimage::Bytes& bytes) const {
    std::ofstream(file(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return file(name);
  }
  std::string write(const std::string& name, const std::string& text) const {
    return write(name, qlimage::Bytes(text.begin(), text.end()));
  }
  qlimage::Bytes read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return qlimage::Bytes(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

}  // namespace qltest
