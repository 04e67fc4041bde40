// The platform's menus, and shortcut texts of key presses.
#include "ui/events/platform_menus.h"

#include <windows.h>

#include "ui/window/window_pane.h"

namespace ql {

namespace {
HMENU as_menu(MenuHandle menu) { return static_cast<HMENU>(menu); }
}  // namespace

MenuHandle create_menu_bar() { return CreateMenu(); }
MenuHandle create_popup_menu() { return CreatePopupMenu(); }
void destroy_menu(MenuHandle menu) { DestroyMenu(as_menu(menu)); }

void append_menu_item(MenuHandle menu, int32_t command_id, const std::string& text) {
  AppendMenuA(as_menu(menu), MF_STRING, static_cast<UINT_PTR>(command_id), text.c_str());
}

void append_submenu(MenuHandle menu, MenuHandle submenu, const std::string& text) {
  AppendMenuA(as_menu(menu), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
}

void append_separator(MenuHandle menu) { AppendMenuA(as_menu(menu), MF_SEPARATOR, 0, nullptr); }

void insert_menu_item(MenuHandle menu, int32_t position, int32_t command_id, const std::string& text,
                      bool separator, MenuHandle submenu) {
  UINT flags = MF_BYPOSITION | (separator ? MF_SEPARATOR : MF_STRING) | (submenu ? MF_POPUP : 0);
  UINT_PTR id = submenu ? reinterpret_cast<UINT_PTR>(submenu) : static_cast<UINT_PTR>(command_id);
  InsertMenuA(as_menu(menu), static_cast<UINT>(position), flags, id, separator ? nullptr : text.c_str());
}

void delete_menu_item(MenuHandle menu, int32_t position) {
  // RemoveMenu, not DeleteMenu: a submenu stays alive for the item that may come back.
  RemoveMenu(as_menu(menu), static_cast<UINT>(position), MF_BYPOSITION);
}

void set_menu_item_text(MenuHandle menu, int32_t position, const std::string& text) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(as_menu(menu), static_cast<UINT>(position), TRUE, &info);
}

void set_menu_item_enabled(MenuHandle menu, int32_t position, bool enabled) {
  EnableMenuItem(as_menu(menu), static_cast<UINT>(position),
                 MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void set_menu_item_checked(MenuHandle menu, int32_t position, bool checked) {
  CheckMenuItem(as_menu(menu), static_cast<UINT>(position),
                MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void redraw_menu_bar() {
  if (WindowPane* window = menu_bar_window()) DrawMenuBar(window->hwnd());
  if (mdi_frame()) DrawMenuBar(mdi_frame());
}

std::string pressed_shortcut_text(int32_t vk) {
  std::string text;
  if (GetKeyState(VK_CONTROL) < 0) text += "Ctrl+";
  if (GetKeyState(VK_SHIFT) < 0) text += "Shft+";
  if (GetKeyState(VK_MENU) < 0) text += "Alt+";
  static const char* const kNamed32[] = {"Space",    "PgUp",  "PgDn", "End",    "Home",  "Left",
                                         "Up",       "Right", "Down", "Select", "Print", "Execute",
                                         "Snapshot", "Ins",   "Del",  "Help"};
  switch (vk) {
    case 8:
      return text + "Bsp";
    case 9:
      return text + "Tab";
    case 12:
      return text + "Clr";
    case 13:
      return text + "Enter";
    case 27:
      return text + "Esc";
    default:
      break;
  }
  if (vk >= 32 && vk <= 47) return text + kNamed32[vk - 32];
  if (vk >= 112 && vk <= 135) return text + "F" + std::to_string(vk - 111);
  return text + static_cast<char>(vk);
}

}  // namespace ql
