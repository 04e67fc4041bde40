// Menu enabling and menu command dispatch, which windows call through the application hooks.
#pragma once

#include <stdint.h>

#include <string>

namespace ql {

void enable_menus();
void dispatch_menu_command(int32_t command_id);
// The command id of the shortcut with that text (case folded), or 0.
int32_t shortcut_command(const std::string& text);

}  // namespace ql
