// The menu bar: its menus, each with a platform pop-up menu and an ordered array of menu items, command
// ids, and the shortcut list.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "app/menu_label.h"
#include "objects/object.h"
#include "quillet/layouts.h"
#include "ui/events/platform_menus.h"

namespace ql {

struct Menu;

constexpr int32_t kNoMenuIndex = static_cast<int32_t>(0x80000000u);

struct MenuItemFields {
  ObjectBase base;
  QlString name;  // the key of menu handlers and of RuntimeMenuReference
  QlString text;
  QlString third_text;
  QlString fourth_text;
  int32_t index;  // in a menu item array, or 0x80000000
  int32_t value;
  Menu* menu;
  int32_t position;  // in its platform menu
  QlString command_key;
  uint8_t enabled, shown_enabled, checked, shown_checked, visible, present;
  int32_t command_id;  // 1000 to 2023, 0 when all were taken
};

struct MenuItemObject : MenuItemFields {
  uint8_t reserved[sizeof(QlMenuItemBase) - sizeof(MenuItemFields)];
};
static_assert(sizeof(MenuItemObject) == sizeof(QlMenuItemBase), "MenuItem matches the SDK's layout");

inline MenuItemFields* as_menu_item(QlObject* item) { return reinterpret_cast<MenuItemFields*>(item); }

struct MenuSlot {
  QlObject* item;           // the menu's reference
  Menu* submenu = nullptr;  // the menu an item with a submenu opens
  bool separator = false;
};

struct Menu {
  MenuHandle platform = nullptr;
  std::vector<MenuSlot> items;
  // A submenu's state (its clones above all: the font submenu holds one per installed font) reaches its
  // platform menu only once it has opened, so that opening another menu first does not pay for it.
  bool submenu = false;
  bool opened = false;
};

struct MenuBar {
  MenuHandle platform = nullptr;
  std::vector<Menu*> menus;  // top-level menus and submenus, in the order they were built
  struct Shortcut {
    int32_t command_id;
    std::string text;
  };
  std::vector<Shortcut> shortcuts;
};

// The process's menu bar; null until the image's menu bar item made one.
MenuBar* menu_bar();

// Command ids: the first free of 1024, as 1000 + its slot; 0 when none is free.
int32_t take_command_id();
void free_command_id(int32_t id);

// Every item of every menu, in menu-bar order (menus in build order, items in array order).
template <typename Visit>
void for_each_menu_item(Visit visit) {
  if (MenuBar* bar = menu_bar()) {
    for (Menu* menu : bar->menus) {
      for (size_t i = 0; i < menu->items.size(); ++i) {
        if (!visit(menu->items[i].item)) return;
      }
    }
  }
}

QlObject* menu_item_with_id(int32_t command_id);

// The text of a command key as shortcut texts are written: "Q" gives "Ctrl+Q".
std::string shortcut_text(const std::string& command_key);

// The label followed, for an item with a command key, by a tab and the shortcut text.
std::string platform_item_text(const MenuItemFields& item);

// Applies items' wanted state to a platform menu: absent items removed, new ones inserted at their running
// position, then enabling and checks brought up to date.
void apply_menu_state(Menu& menu);

}  // namespace ql
