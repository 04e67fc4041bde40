// The platform's menus as the menu bar uses them: a menu bar, pop-up menus and their items by position.
#pragma once

#include <stdint.h>

#include <string>

namespace ql {

using MenuHandle = void*;

MenuHandle create_menu_bar();
MenuHandle create_popup_menu();
void destroy_menu(MenuHandle menu);

void append_menu_item(MenuHandle menu, int32_t command_id, const std::string& text);
void append_submenu(MenuHandle menu, MenuHandle submenu, const std::string& text);
void append_separator(MenuHandle menu);
// Insertion and deletion by position; a submenu item is inserted with its submenu.
void insert_menu_item(MenuHandle menu, int32_t position, int32_t command_id, const std::string& text,
                      bool separator, MenuHandle submenu);
void delete_menu_item(MenuHandle menu, int32_t position);
void set_menu_item_text(MenuHandle menu, int32_t position, const std::string& text);
void set_menu_item_enabled(MenuHandle menu, int32_t position, bool enabled);
void set_menu_item_checked(MenuHandle menu, int32_t position, bool checked);
void redraw_menu_bar();

// The keys held and the key pressed, as shortcut texts are written ("Ctrl+Q").
std::string pressed_shortcut_text(int32_t virtual_key);

}  // namespace ql
