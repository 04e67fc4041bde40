// The menu bar stream (project item kind 2): top-level menus, each followed by its item list, items with a
// submenu followed by their own list. Texts point into the stream.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

namespace ql::image {

enum MenuEntryKind : int32_t {
  kMenuEntryItem = 0,        // an item, or at top level a menu
  kMenuEntryNotBuilt = 1,    // at top level, a menu that is read but not built
  kMenuEntryTerminator = 2,  // read and skipped
};

struct MenuEntry {
  int32_t kind = kMenuEntryItem;
  std::string_view text;  // "-" makes a separator
  std::string_view name;
  int32_t index = 0;  // 0x80000000 when not in an item array
  std::string_view command_key;
  std::string_view third_text;
  std::string_view fourth_text;
  uint8_t unused_byte = 0;
  bool has_submenu = false;
  int32_t class_index = 0;
  std::vector<MenuEntry> items;  // a top-level entry's item list, or the submenu's
};

struct MenuBarStream {
  std::vector<MenuEntry> menus;
};

// Deeper nesting of submenus than this is refused as damage.
constexpr int kMaxMenuDepth = 16;

// False when the stream is cut short, a count does not fit it, or submenus nest too deeply.
bool decode_menu_bar(const uint8_t* stream, uint32_t length, MenuBarStream& out, std::string& problem);
std::vector<uint8_t> encode_menu_bar(const MenuBarStream& menu_bar);

}  // namespace ql::image
