// Fuzz target: the menu bar stream. What decodes must encode to a stream that decodes to the same menus.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "image/menu_bar_stream.h"

namespace {

bool same(const std::vector<ql::image::MenuEntry>& a, const std::vector<ql::image::MenuEntry>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const ql::image::MenuEntry &x = a[i], &y = b[i];
    if (x.kind != y.kind || x.text != y.text || x.name != y.name || x.index != y.index ||
        x.command_key != y.command_key || x.third_text != y.third_text || x.fourth_text != y.fourth_text ||
        x.unused_byte != y.unused_byte || x.has_submenu != y.has_submenu || x.class_index != y.class_index ||
        !same(x.items, y.items))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> stream(data, data + size);
  ql::image::MenuBarStream menu_bar;
  std::string problem;
  if (!ql::image::decode_menu_bar(stream.data(), static_cast<uint32_t>(size), menu_bar, problem)) {
    if (problem.empty()) __builtin_trap();
    return 0;
  }
  std::vector<uint8_t> encoded = ql::image::encode_menu_bar(menu_bar);
  ql::image::MenuBarStream again;
  if (!ql::image::decode_menu_bar(encoded.data(), static_cast<uint32_t>(encoded.size()), again, problem) ||
      !same(menu_bar.menus, again.menus))
    __builtin_trap();
  return 0;
}
