// Menu items by label, their states, and the popup menus a program shows.
#include <windows.h>

#include "driver_input.h"
#include "driver_menus.h"
#include "driver_probe.h"
#include "driver_text.h"
#include "driver_window_info.h"
#include "driver_windows.h"

namespace ql::driver {

namespace {

// MN_GETHMENU: the menu a popup menu window shows, answered across processes.
constexpr UINT kGetMenuOfPopup = 0x01E1;

MenuItem item_of(const MenuProbeBlock& block, int position) {
  const MenuProbeItem& probe = block.items[position];
  MenuItem item;
  item.menu = block.menu;
  item.position = position;
  item.text = to_utf8(probe.text);
  item.label = label_of(item.text);
  item.shortcut = shortcut_of(item.text);
  item.access_key = access_key_of(item.text);
  item.id = probe.id;
  item.enabled = (probe.state & (MFS_GRAYED | MFS_DISABLED)) == 0;
  item.checked = (probe.state & MFS_CHECKED) != 0;
  item.separator = (probe.type & MFT_SEPARATOR) != 0;
  item.submenu = probe.submenu;
  if (probe.has_rect) item.rect = probe.rect;
  return item;
}

std::string labels_of(const std::vector<MenuItem>& items) {
  std::string labels;
  for (const MenuItem& item : items) {
    if (item.separator) continue;
    labels += (labels.empty() ? "\"" : ", \"") + item.label + "\"";
  }
  return labels.empty() ? "(no items)" : labels;
}

// Walks the path; on a missing item says which and what was there instead.
std::optional<MenuItem> walk(HWND window, const MenuPath& path, std::string* error) {
  HMENU menu = nullptr;
  std::optional<MenuItem> found;
  for (size_t level = 0; level < path.size(); ++level) {
    if (level > 0 && !found->submenu) {
      *error = "\"" + found->label + "\" has no submenu";
      return {};
    }
    if (level > 0) menu = found->submenu;
    MenuProbeBlock block;
    std::string failed = read_menu(window, menu, block);
    if (!failed.empty()) {
      *error = failed;
      return {};
    }
    std::vector<MenuItem> items;
    for (int i = 0; i < block.count && i < kMenuProbeMaxItems; ++i) items.push_back(item_of(block, i));
    found.reset();
    for (const MenuItem& item : items) {
      if (!item.separator && label_names(item.label, path[level])) {
        found = item;
        break;
      }
    }
    if (!found) {
      *error = "no item \"" + path[level] + "\" in " +
               (level ? "\"" + path[level - 1] + "\"" : "the menu bar") + ", which holds " + labels_of(items);
      return {};
    }
  }
  return found;
}

}  // namespace

std::vector<MenuItem> menu_items(HWND window, HMENU menu, Where where) {
  MenuProbeBlock block;
  std::string error = read_menu(window, menu, block);
  if (!error.empty()) {
    fail("cannot read the menu of " + describe_window(window) + ": " + error, where);
    return {};
  }
  std::vector<MenuItem> items;
  for (int i = 0; i < block.count && i < kMenuProbeMaxItems; ++i) items.push_back(item_of(block, i));
  return items;
}

std::optional<MenuItem> find_menu_item(HWND window, const MenuPath& path) {
  std::string error;
  return path.empty() ? std::nullopt : walk(window, path, &error);
}

std::optional<MenuItem> menu_item(HWND window, const MenuPath& path, Where where) {
  std::string error = "the path is empty";
  std::optional<MenuItem> item = path.empty() ? std::nullopt : walk(window, path, &error);
  if (!item) fail("no menu item " + describe(path) + " in " + describe_window(window) + ": " + error, where);
  return item;
}

std::vector<OpenMenu> open_menus(HWND window) {
  std::vector<OpenMenu> menus;
  for (HWND top : top_level_windows(process_of(window))) {
    if (window_class(top) != "#32768") continue;
    DWORD_PTR menu = 0;
    SendMessageTimeoutW(top, kGetMenuOfPopup, 0, 0, SMTO_ABORTIFHUNG, 1000, &menu);
    menus.push_back({top, reinterpret_cast<HMENU>(menu)});
  }
  return menus;
}

bool close_menus(HWND window) {
  for (int attempt = 0; attempt < 6; ++attempt) {
    if (open_menus(window).empty() && !in_menu_mode(window)) return true;
    press_key(VK_ESCAPE);
  }
  return open_menus(window).empty() && !in_menu_mode(window);
}

std::string describe(const MenuPath& path) {
  std::string text;
  for (const std::string& label : path) text += (text.empty() ? "\"" : " > \"") + label + "\"";
  return text.empty() ? "(empty path)" : text;
}

}  // namespace ql::driver
