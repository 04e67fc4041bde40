// Menu enabling before a menu opens, and the dispatch of a menu command or shortcut: the focused control,
// the front window's own class, the application's own class, then the item's Action.
#include "app/menu_commands.h"
#include "app/application.h"
#include "app/menu_bar.h"
#include "app/menu_events.h"
#include "app/quit.h"
#include "objects/class_object.h"
#include "objects/objects.h"
#include "ui/events/window_events.h"
#include "ui/window/window_support.h"
#include "values/string.h"

namespace ql {

namespace {

bool is_compiled_window(QlObject* window) {
  return window && class_isa(class_of(window), builtin_class("Window"));
}

// The handler for the item in the receiver's own class (not its superclasses): true when it ran and
// answered True.
bool run_own_handler(QlObject* receiver, QlObject* item) {
  if (!receiver) return false;
  MenuItemFields* f = as_menu_item(item);
  uintptr_t code = own_menu_handler(class_of(receiver), string_cview(f->name));
  if (!code) return false;
  retain_object(receiver);
  bool handled;
  if (f->index != kNoMenuIndex) {
    handled = reinterpret_cast<bool (*)(QlObject*, int32_t)>(code)(receiver, f->index);
  } else {
    handled = reinterpret_cast<bool (*)(QlObject*)>(code)(receiver);
  }
  release_object(receiver);
  return handled;
}

}  // namespace

void enable_menus() {
  MenuBar* bar = menu_bar();
  if (!bar) return;
  std::vector<QlObject*> items;
  for_each_menu_item([&](QlObject* item) {
    as_menu_item(item)->enabled = 0;
    items.push_back(item);
    retain_object(item);
    return true;
  });
  for (QlObject* item : items) fire_event(item, menu_events::kEnableMenu);
  // A focused control enables the items it serves through its own EnableMenuItems.
  if (QlObject* control = focused_control_object()) {
    if (const EventDefinition* event = find_declared_event(class_of(control), "EnableMenuItems"))
      fire_event(control, *event);
  }
  QlObject* front = front_window_object();
  if (is_compiled_window(front)) fire_event(front, window_events::kEnableMenuItems);
  fire_application_event("EnableMenuItems");
  for (Menu* menu : bar->menus)
    if (!menu->submenu || menu->opened) apply_menu_state(*menu);
  redraw_menu_bar();
  for (QlObject* item : items) release_object(item);
}

void submenu_opening(MenuHandle platform) {
  MenuBar* bar = menu_bar();
  if (!bar) return;
  for (Menu* menu : bar->menus) {
    if (menu->platform != platform || !menu->submenu) continue;
    menu->opened = true;
    apply_menu_state(*menu);
  }
}

void dispatch_menu_command(int32_t command_id) {
  QlObject* item = menu_item_with_id(command_id);
  if (!item) return;
  retain_object(item);
  bool handled = run_own_handler(focused_control_object(), item);
  if (!handled) {
    QlObject* front = front_window_object();
    if (is_compiled_window(front)) handled = run_own_handler(front, item);
  }
  if (!handled) handled = run_own_handler(application_object(), item);
  if (!handled) {
    if (class_isa(class_of(item), builtin_class("QuitMenuItem"))) {
      if (!fire_boolean_event(item, menu_events::kQuitAction)) quit_application();
    } else {
      fire_boolean_event(item, menu_events::kAction);
    }
  }
  release_object(item);
}

int32_t shortcut_command(const std::string& text) {
  MenuBar* bar = menu_bar();
  if (!bar) return 0;
  for (const MenuBar::Shortcut& shortcut : bar->shortcuts) {
    if (names_equal(shortcut.text, text)) return shortcut.command_id;
  }
  return 0;
}

}  // namespace ql
