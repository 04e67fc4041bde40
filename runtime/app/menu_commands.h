// Menu enabling and menu command dispatch, which windows call through the application hooks.
#pragma once

#include <stdint.h>

#include <string>

#include "ui/events/platform_menus.h"

namespace ql {

void enable_menus();
// A submenu is opening: its state reaches the platform menu.
void submenu_opening(MenuHandle platform);
void dispatch_menu_command(int32_t command_id);
// The command id of the shortcut with that text (case folded), or 0.
int32_t shortcut_command(const std::string& text);

}  // namespace ql
