// The check of plug-in file names.
#include "plugins/plugin_file_names.h"

#include "objects/class_object.h"

namespace ql {

namespace {

constexpr size_t kMaxName = 255;

bool forbidden_character(unsigned char c) {
  if (c < 0x20) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '/':
    case '\\':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

bool reserved_device(std::string_view name) {
  // The device is reserved whatever follows its first dot, and blanks before the dot do not help.
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (std::string_view device : kDevices) {
    if (names_equal(stem, device)) return true;
  }
  if (stem.size() == 4 && (names_equal(stem.substr(0, 3), "COM") || names_equal(stem.substr(0, 3), "LPT")))
    return stem[3] >= '0' && stem[3] <= '9';
  return false;
}

}  // namespace

bool plain_file_name(std::string_view name) {
  if (name.empty() || name.size() > kMaxName) return false;
  for (char c : name) {
    if (forbidden_character(static_cast<unsigned char>(c))) return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;  // Windows drops them: another file's name
  if (name.find_first_not_of('.') == std::string_view::npos) return false;
  if (name.find("..") != std::string_view::npos) return false;
  return !reserved_device(name);
}

}  // namespace ql
