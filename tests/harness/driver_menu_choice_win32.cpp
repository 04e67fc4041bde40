// Choosing menu items with real input, by mouse and by keyboard.
#include <windows.h>

#include "driver_input.h"
#include "driver_menus.h"
#include "driver_text.h"
#include "driver_window_info.h"
#include "driver_windows.h"

namespace ql::driver {

namespace {

std::optional<MenuItem> item_labelled(const std::vector<MenuItem>& items, const std::string& wanted) {
  for (const MenuItem& item : items) {
    if (!item.separator && label_names(item.label, wanted)) return item;
  }
  return {};
}

bool menu_shows(HWND window, HMENU menu) {
  for (const OpenMenu& open : open_menus(window)) {
    if (open.menu == menu) return true;
  }
  return false;
}

// A menu bar title the path starts with. The items below it are looked for as their menus open: a program
// may fill a menu, or enable its items, only as it opens.
bool check_title(HWND window, const MenuPath& path, Where where) {
  return menu_item(window, {path[0]}, where).has_value();
}

bool refuse_greyed(HWND window, const MenuPath& path, const MenuItem& item, Where where) {
  if (item.enabled) return false;
  close_menus(window);
  fail("cannot choose menu item " + describe(path) + ": \"" + item.label + "\" is greyed", where);
  return true;
}

bool give_up(HWND window, const std::string& message, Where where) {
  close_menus(window);
  fail(message, where);
  return false;
}

// The path's item among the items of its menu as it stands open. When it is missing the test fails naming
// the labels the menu holds, and the menus close.
std::optional<MenuItem> item_of_path(HWND window, const MenuPath& path, size_t level,
                                     const std::vector<MenuItem>& items, Where where) {
  if (std::optional<MenuItem> item = item_labelled(items, path[level])) return item;
  std::optional<MenuItem> item =
      menu_item(window, MenuPath(path.begin(), path.begin() + static_cast<long>(level) + 1), where);
  if (!item) close_menus(window);
  return item;
}

bool wait_for_submenu(HWND window, const MenuItem& item, int timeout_ms, Where where) {
  if (wait_until([&] { return menu_shows(window, item.submenu); }, "the menu \"" + item.label + "\" to open",
                 timeout_ms, where))
    return true;
  close_menus(window);
  return false;
}

bool wait_for_menus_closed(HWND window, const MenuPath& path, int timeout_ms, Where where) {
  bool closed = wait_until([&] { return open_menus(window).empty() && !in_menu_mode(window); },
                           "the menu to close after choosing " + describe(path), timeout_ms, where);
  if (!closed) close_menus(window);
  settle(window);
  return closed;
}

// The access key of the item when it alone among the items of its menu has it.
char unique_access_key(const std::vector<MenuItem>& items, const MenuItem& item) {
  if (!item.access_key) return 0;
  int holders = 0;
  for (const MenuItem& other : items) holders += !other.separator && other.access_key == item.access_key;
  return holders == 1 ? item.access_key : 0;
}

// Arrow presses from the first item to the item: separators are skipped.
int steps_to(const std::vector<MenuItem>& items, const MenuItem& item) {
  int steps = 0;
  for (const MenuItem& other : items) {
    if (other.position == item.position) break;
    steps += !other.separator;
  }
  return steps;
}

// Clicks the path's items with the mouse from the menu bar down, each submenu opening on the way; the last
// item is clicked too, and with `open_last` its own submenu awaited. Fails the test when an item is missing,
// greyed, has no place on the screen, or a submenu does not open.
bool click_down_path(HWND window, const MenuPath& path, bool open_last, int timeout_ms, Where where) {
  if (!check_title(window, path, where)) return false;
  HMENU menu = nullptr;
  for (size_t level = 0; level < path.size(); ++level) {
    std::vector<MenuItem> items = menu_items(window, menu, where);
    std::optional<MenuItem> item = item_of_path(window, path, level, items, where);
    if (!item) return false;
    if (refuse_greyed(window, path, *item, where)) return false;
    const bool last = level + 1 == path.size();
    if (last && open_last && !item->submenu)
      return give_up(window, "the menu item " + describe(path) + " opens no menu", where);
    if (!item->rect)
      return give_up(window, "the menu item \"" + item->label + "\" has no place on the screen", where);
    const POINT target = center_of(*item->rect);
    // The pointer rests on an item before the click, as a hand's would: submenus open on hover too.
    move_mouse(target);
    click_at(target);
    if (last && !open_last) break;
    if (!wait_for_submenu(window, *item, timeout_ms, where)) return false;
    menu = item->submenu;
  }
  return true;
}

}  // namespace

bool choose_menu_item(HWND window, const MenuPath& path, int timeout_ms, Where where) {
  if (path.empty()) return give_up(window, "cannot choose a menu item: the path is empty", where);
  if (!click_down_path(window, path, false, timeout_ms, where)) return false;
  return wait_for_menus_closed(window, path, timeout_ms, where);
}

bool choose_menu_item_by_keys(HWND window, const MenuPath& path, int timeout_ms, Where where) {
  if (path.empty()) return give_up(window, "cannot choose a menu item: the path is empty", where);
  if (!check_title(window, path, where)) return false;
  if (!bring_to_front(window, timeout_ms, where)) return false;
  press_key(VK_MENU);
  if (!wait_until([&] { return in_menu_mode(window); }, "Alt to select the menu bar", timeout_ms, where))
    return false;
  HMENU menu = nullptr;
  for (size_t level = 0; level < path.size(); ++level) {
    std::vector<MenuItem> items = menu_items(window, menu, where);
    std::optional<MenuItem> item = item_of_path(window, path, level, items, where);
    if (!item) return false;
    if (refuse_greyed(window, path, *item, where)) return false;
    bool last = level + 1 == path.size();
    if (char key = unique_access_key(items, *item)) {
      press_key(static_cast<WORD>(LOBYTE(VkKeyScanW(static_cast<wchar_t>(key)))));
    } else {
      // The menu bar starts with its first title selected, and a popup opened from the keyboard with its
      // first item.
      WORD next = level == 0 ? VK_RIGHT : VK_DOWN;
      for (int step = steps_to(items, *item); step > 0; --step) press_key(next);
      press_key(last || level == 0 ? VK_RETURN : VK_RIGHT);
    }
    if (last) break;
    if (!wait_for_submenu(window, *item, timeout_ms, where)) return false;
    menu = item->submenu;
  }
  return wait_for_menus_closed(window, path, timeout_ms, where);
}

bool look_into_menu(HWND window, const std::string& title, int timeout_ms, Where where) {
  std::optional<MenuItem> item = menu_item(window, {title}, where);
  if (!item) return false;
  if (!item->rect) return give_up(window, "the menu \"" + title + "\" has no place on the screen", where);
  const POINT target = center_of(*item->rect);
  move_mouse(target);
  click_at(target);
  if (!wait_for_submenu(window, *item, timeout_ms, where)) return false;
  click_at(target);
  return wait_until([&] { return open_menus(window).empty() && !in_menu_mode(window); },
                    "the menu \"" + title + "\" to close", timeout_ms, where) ||
         close_menus(window);
}

bool look_into_menus(HWND window, const MenuPath& path, int timeout_ms, Where where) {
  if (path.empty()) return give_up(window, "cannot look into a menu: the path is empty", where);
  if (!click_down_path(window, path, true, timeout_ms, where)) return false;
  return close_menus(window);
}

}  // namespace ql::driver
