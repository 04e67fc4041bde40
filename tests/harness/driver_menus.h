// Menus of a window's menu bar as a test sees them: items found by their labels (compared without "&" and
// without the "\tShortcut" part), their text, enabled and checked state, and choosing an item with real
// input, by mouse (click the menu title, wait for the popup menu window of class "#32768", click the item,
// through submenus) or by keyboard (Alt, then each item's access key, or arrow keys where it has none).
//
// Under Wine a process cannot read the menus of another one (GetMenuItemInfo fails with
// ERROR_INVALID_MENU_HANDLE), so the driver reads them inside the program through ql_driver_probe.dll (see
// driver_probe.h). Where the system lets menus be read directly, as Windows does, it reads them directly.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver_failures.h"

namespace ql::driver {

struct MenuItem {
  HMENU menu = nullptr;  // the menu holding the item
  int position = -1;
  std::string text;      // as the menu holds it: "&Open...\tCtrl+O"
  std::string label;     // "Open..."
  std::string shortcut;  // "Ctrl+O"
  char access_key = 0;   // 'O'
  unsigned id = 0;
  bool enabled = false;
  bool checked = false;
  bool separator = false;
  HMENU submenu = nullptr;
  // The item's rectangle on the screen; a popup's items have one only while it shows.
  std::optional<RECT> rect;
};

// A path of labels from the menu bar: {"File", "Recent", "First file"}.
using MenuPath = std::vector<std::string>;

// The items of `menu`, or of the window's menu bar when menu is null. Fails the test (and returns nothing)
// when the menu cannot be read.
std::vector<MenuItem> menu_items(HWND window, HMENU menu = nullptr, Where where = Where::current());

// The item at the end of the path, or nothing; does not fail the test.
std::optional<MenuItem> find_menu_item(HWND window, const MenuPath& path);
// The same, failing the test (naming the labels there are) when the item is missing.
std::optional<MenuItem> menu_item(HWND window, const MenuPath& path, Where where = Where::current());

// Chooses the item with the mouse. Fails the test, and closes the menu, when an item of the path is missing,
// greyed, or a popup does not open within timeout_ms.
bool choose_menu_item(HWND window, const MenuPath& path, int timeout_ms = 3000,
                      Where where = Where::current());
// Chooses the item with the keyboard: the window is brought to the front, Alt pressed, then each item's keys.
bool choose_menu_item_by_keys(HWND window, const MenuPath& path, int timeout_ms = 3000,
                              Where where = Where::current());

// Opens a menu of the menu bar with the mouse and closes it again by clicking its title, as a person looks
// into a menu: the program runs its menu enabling on the way. True when the menu opened and closed.
bool look_into_menu(HWND window, const std::string& title, int timeout_ms = 3000,
                    Where where = Where::current());
// Opens the menus along the path with the mouse, down to the last, which opens a menu too, and closes them
// all with Escape: a program that fills a submenu as it opens has filled it afterwards.
bool look_into_menus(HWND window, const MenuPath& path, int timeout_ms = 3000,
                     Where where = Where::current());

// The popup menu windows (class "#32768") the window's process shows, and the menu each shows.
struct OpenMenu {
  HWND window = nullptr;
  HMENU menu = nullptr;
};
std::vector<OpenMenu> open_menus(HWND window);
// Leaves menu mode with Escape; true when no menu is open or selected afterwards.
bool close_menus(HWND window);

std::string describe(const MenuPath& path);

}  // namespace ql::driver
