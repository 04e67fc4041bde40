// Owns one reference to a runtime string and gives it back when it goes.
#pragma once

#include "values/string.h"

namespace ql {

class StringRef {
 public:
  StringRef() = default;
  explicit StringRef(QlString owned) : string_(owned) {}
  // Takes a reference of its own to a borrowed string.
  static StringRef retain(QlString borrowed) {
    string_retain(borrowed);
    return StringRef(borrowed);
  }
  StringRef(StringRef&& other) noexcept : string_(other.release()) {}
  StringRef& operator=(StringRef&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  StringRef(const StringRef&) = delete;
  StringRef& operator=(const StringRef&) = delete;
  ~StringRef() { string_release(string_); }

  QlString get() const { return string_; }
  // Hands the reference to the caller.
  QlString release() {
    QlString owned = string_;
    string_ = nullptr;
    return owned;
  }
  void reset(QlString owned = nullptr) {
    QlString old = string_;
    string_ = owned;
    string_release(old);
  }

 private:
  QlString string_ = nullptr;
};

}  // namespace ql
