// Names as the runtime compares them (classes, members, controls, entry points): ASCII letters in either
// case are the same, every other byte only itself.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace ql::image {

constexpr char folded_name_char(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string folded_name(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = folded_name_char(c);
  return folded;
}

constexpr bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return folded_name_char(x) == folded_name_char(y);
         });
}

}  // namespace ql::image
