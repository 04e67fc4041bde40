// Helpers shared by the object tests: test classes, an installed class array, and data1 holding class
// descriptors.
#pragma once

#include <stdint.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "image/project_table.h"
#include "objects/class_array.h"
#include "objects/class_object.h"
#include "objects/object.h"
#include "values/string.h"

namespace ql::testing {

// A class with a name, a superclass and a size; its fields are the test's to fill.
inline std::unique_ptr<ClassObject> make_class(const char* name, ClassObject* superclass = nullptr,
                                               int32_t size = sizeof(ObjectBase)) {
  auto cls = std::make_unique<ClassObject>();
  cls->name = string_from_cstr(name);
  cls->superclass = superclass;
  cls->instance_size = size;
  return cls;
}

inline uintptr_t code_of(void (*routine)()) { return reinterpret_cast<uintptr_t>(routine); }

// Installs an array of the given classes for the test's lifetime, then an empty one.
class InstalledClasses {
 public:
  explicit InstalledClasses(std::vector<ClassObject*> classes) {
    ClassArray array;
    array.referenced_names.assign(classes.size(), std::string());
    array.classes = std::move(classes);
    install_class_array(std::move(array));
  }
  explicit InstalledClasses(ClassArray array) { install_class_array(std::move(array)); }
  ~InstalledClasses() { install_class_array(ClassArray()); }
  InstalledClasses(const InstalledClasses&) = delete;
  InstalledClasses& operator=(const InstalledClasses&) = delete;
};

// data1 as the loader leaves it: 32-bit words whose pointers hold addresses from `base` on.
class Data1Builder {
 public:
  static constexpr uint32_t kBase = 0x00400000;

  uint32_t here() const { return kBase + static_cast<uint32_t>(bytes_.size()); }
  void word(uint32_t value) {
    uint8_t raw[4];
    std::memcpy(raw, &value, 4);
    bytes_.insert(bytes_.end(), raw, raw + 4);
  }
  void words(std::initializer_list<uint32_t> values) {
    for (uint32_t value : values) word(value);
  }
  void align(size_t n) {
    while (bytes_.size() % n) bytes_.push_back(0);
  }

  // A string constant in this target's string header layout; returns the header's address.
  uint32_t string_constant(const std::string& text) {
    align(4);
    uint32_t buffer = here();
    bytes_.push_back(static_cast<uint8_t>(text.size() > 255 ? 255 : text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
    align(sizeof(void*));
    uint32_t header_at = here();
    // Field by field into zeroed bytes, so that the padding after the count is the same in every run.
    uint8_t raw[sizeof(QlStringHeader)] = {};
    const int32_t count = 1, length = static_cast<int32_t>(text.size());
    uint8_t* const pointer = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(buffer));
    std::memcpy(raw + offsetof(QlStringHeader, count), &count, sizeof count);
    std::memcpy(raw + offsetof(QlStringHeader, buffer), &pointer, sizeof pointer);
    std::memcpy(raw + offsetof(QlStringHeader, size), &length, sizeof length);
    std::memcpy(raw + offsetof(QlStringHeader, length), &length, sizeof length);
    bytes_.insert(bytes_.end(), raw, raw + sizeof raw);
    return header_at;
  }

  // Room for a table of n pointers, filled in later with set_word.
  uint32_t reserve(uint32_t n) {
    uint32_t at = here();
    bytes_.resize(bytes_.size() + n * 4, 0);
    return at;
  }
  void set_word(uint32_t address, uint32_t value) { std::memcpy(&bytes_[address - kBase], &value, 4); }

  std::vector<uint8_t>& bytes() { return bytes_; }
  image::Data1View view() const { return {bytes_.data(), static_cast<uint32_t>(bytes_.size()), kBase}; }
  const uint8_t* at(uint32_t address) const { return bytes_.data() + (address - kBase); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace ql::testing
