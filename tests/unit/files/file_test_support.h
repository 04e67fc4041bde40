// Helpers shared by the file tests: a temporary folder of the test's own, raw file bytes, and holders for
// the strings and objects the entry points hand out.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/folder_item.h"
#include "objects/objects.h"
#include "quillet/files.h"
#include "values/string.h"
#include "values/string_ref.h"

namespace ql::testing {

// Owns one reference to an object and gives it back when it goes.
class Owned {
 public:
  explicit Owned(QlObject* object = nullptr) : object_(object) {}
  Owned(Owned&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      release_object(object_);
      object_ = other.object_;
      other.object_ = nullptr;
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { release_object(object_); }
  QlObject* get() const { return object_; }
  void reset() {
    release_object(object_);
    object_ = nullptr;
  }

 private:
  QlObject* object_;
};

inline StringRef text_ref(const std::string& text) {
  return StringRef(string_from_bytes(text.data(), static_cast<int32_t>(text.size())));
}

// The text of a string the caller owns; gives the reference back.
inline std::string take(QlString owned) {
  StringRef ref(owned);
  return std::string(string_cview(owned), static_cast<size_t>(string_length(owned)));
}

// A new empty folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("qlfiles-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The path of an entry as the runtime is given it.
  std::string at(const std::string& name) const { return (path_ / name).string(); }
  std::string path() const { return path_.string(); }

  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

  // A folder item naming an entry of the folder.
  Owned item(const std::string& name) const { return Owned(new_folder_item(at(name))); }

 private:
  std::filesystem::path path_;
};

}  // namespace ql::testing
