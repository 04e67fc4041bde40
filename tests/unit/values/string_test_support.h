// Helpers shared by the string tests.
#pragma once

#include <string>

#include "values/string.h"
#include "values/string_ref.h"

namespace ql::testing {

inline StringRef make(const std::string& text) {
  return StringRef(string_from_bytes(text.data(), static_cast<int32_t>(text.size())));
}

inline std::string text(QlString s) {
  return std::string(string_cview(s), static_cast<size_t>(string_length(s)));
}

}  // namespace ql::testing
