// Runtime string constants placed in the image's data block, and a holder for string references.
#pragma once

#include <stddef.h>

#include "quillet/strings.h"

namespace quillet {

// A length-prefixed buffer (length byte, text, NUL, padding to 4 bytes) followed by the string header that
// refers to it. The image keeps its own reference, so a constant is never freed.
template <size_t N>
struct StringConstant {
  static constexpr size_t kLength = N - 1;
  uint8_t buffer[(N + 1 + 3) / 4 * 4];
  QlStringHeader header;

  constexpr StringConstant(const char (&text)[N])
      : buffer{}, header{1, buffer, static_cast<int32_t>(kLength), static_cast<int32_t>(kLength)} {
    buffer[0] = static_cast<uint8_t>(kLength > 255 ? 255 : kLength);
    for (size_t i = 0; i < kLength; ++i) buffer[i + 1] = static_cast<uint8_t>(text[i]);
  }
};

// Owns one reference to a runtime string and gives it back when it goes.
class Str {
 public:
  Str() = default;
  explicit Str(QlString owned) : s_(owned) {}
  static Str borrow(QlString s) {
    RuntimeLockString(s);
    return Str(s);
  }
  Str(Str&& other) : s_(other.release()) {}
  Str& operator=(Str&& other) {
    if (this != &other) {
      RuntimeUnlockString(s_);
      s_ = other.release();
    }
    return *this;
  }
  Str(const Str&) = delete;
  Str& operator=(const Str&) = delete;
  ~Str() { RuntimeUnlockString(s_); }

  QlString get() const { return s_; }
  QlString release() {
    QlString s = s_;
    s_ = nullptr;
    return s;
  }

 private:
  QlString s_ = nullptr;
};

}  // namespace quillet

// QL_STR("text"): the runtime string constant for a literal, as a borrowed QlString. The empty literal is
// the null string, since no string of length 0 exists.
#define QL_STR(text)                                                               \
  ([]() -> QlString {                                                              \
    if constexpr (sizeof(text) == 1) {                                             \
      return nullptr;                                                              \
    } else {                                                                       \
      static constinit ::quillet::StringConstant<sizeof(text)> ql_constant_{text}; \
      return &ql_constant_.header;                                                 \
    }                                                                              \
  }())
