// Menu texts as the platform menu is given them: "&" kept only where it marks an access key.
#include "app/menu_label.h"

namespace ql {

namespace {
bool marks_access_key(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}
}  // namespace

std::string platform_label(std::string_view text) {
  std::string label;
  label.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    label += text[i];
    if (text[i] != '&') continue;
    if (i + 1 == text.size() || !marks_access_key(text[i + 1])) label += '&';
  }
  return label;
}

}  // namespace ql
