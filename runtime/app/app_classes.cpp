// The application layer's classes, and what it tells the windows below it at start-up.
#include "app/app_steps.h"
#include "app/application.h"
#include "app/menu_bar.h"
#include "app/menu_commands.h"
#include "app/periodic_tasks.h"
#include "app/quit.h"
#include "app/timers.h"
#include "objects/objects.h"
#include "quillet/windows.h"
#include "ui/events/app_hooks.h"
#include "ui/events/event_messages.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"

namespace ql {

void define_menu_classes();

namespace {

MenuHandle platform_menu_bar() { return menu_bar() ? menu_bar()->platform : nullptr; }

void application_active(bool active) { fire_application_event(active ? "Activate" : "Deactivate"); }

// While a menu is open its own loop runs instead of the event loop's: each time it waits (WM_ENTERIDLE) the
// idle work goes on, so a plug-in's animation or a periodic task does not freeze.
void run_idle_task() {
  idle_panes();
  run_periodic_tasks();
}

// The cursor windows show over their content while the application has one set.
void* application_cursor() { return mouse_cursor_handle(application_mouse_cursor()); }

// The MDI frame's close box quits the way the Quit item does.
bool quit_requested() { return quit_application(); }

}  // namespace

void define_app_classes() {
  ClassObject* window = builtin_class("Window");
  add_method(window, "Show", code_of(RuntimeShowWindow));
  add_method(window, "Hide", code_of(RuntimeHideWindow));
  add_method(window, "Close", code_of(RuntimeCloseWindow));
  add_method(window, "ShowModal", code_of(RuntimeShowModal));
  define_application_class();
  define_menu_classes();
  define_timer_class();
  AppHooks hooks;
  hooks.menu_bar = platform_menu_bar;
  hooks.menu_command = dispatch_menu_command;
  hooks.menu_enabling = enable_menus;
  hooks.shortcut_command = shortcut_command;
  hooks.application_active = application_active;
  hooks.application_cursor = application_cursor;
  hooks.idle = run_idle_task;
  hooks.quit_requested = quit_requested;
  set_app_hooks(hooks);
}

}  // namespace ql
