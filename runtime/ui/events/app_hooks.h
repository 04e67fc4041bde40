// What windows ask of the application layer above them: its menu bar, menu commands and enabling, keyboard
// shortcuts, the application's activation and cursor, and the idle work. The application layer registers
// these at start-up; until then each asks nothing.
#pragma once

#include <string>

#include "quillet/types.h"
#include "ui/events/platform_menus.h"

namespace ql {

struct AppHooks {
  MenuHandle (*menu_bar)() = nullptr;                  // the platform menu bar, or null
  void (*menu_command)(int32_t command_id) = nullptr;  // dispatch a menu command
  void (*menu_enabling)() = nullptr;                   // before a menu opens
  void (*submenu_opening)(MenuHandle menu) = nullptr;  // as a popup menu opens (WM_INITMENUPOPUP)
  // The command id of the shortcut with that text (case folded), or 0.
  int32_t (*shortcut_command)(const std::string& text) = nullptr;
  void (*application_active)(bool active) = nullptr;  // WM_ACTIVATEAPP
  void* (*application_cursor)() = nullptr;            // the application's cursor handle, or null
  void (*idle)() = nullptr;                           // WM_ENTERIDLE
  bool (*quit_requested)() = nullptr;                 // the MDI frame's close box: true to quit
};

void set_app_hooks(const AppHooks& hooks);
const AppHooks& app_hooks();

}  // namespace ql
