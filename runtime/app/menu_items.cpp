// The MenuItem and QuitMenuItem classes, finding items by name, menu item arrays, and the item property
// entry points.
#include <stddef.h>

#include <vector>

#include "app/menu_bar.h"
#include "app/menu_events.h"
#include "app/quit.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/menus.h"
#include "quillet/objects.h"
#include "quillet/strings.h"
#include "values/string.h"

namespace ql {

namespace menu_events {
const EventDefinition kAction = {"Action", "", "Boolean"};
const EventDefinition kEnableMenu = {"EnableMenu", "", ""};
const EventDefinition kQuitAction = {"Action", "", "Boolean"};
}  // namespace menu_events

namespace {

void destroy_menu_item(QlObject* item, ClassObject*) {
  MenuItemFields* f = as_menu_item(item);
  for (QlString* s : {&f->name, &f->text, &f->third_text, &f->fourth_text, &f->command_key}) {
    string_release(*s);
    *s = nullptr;
  }
}

void quit_item_enable_menu(QlObject* item) { as_menu_item(item)->enabled = 1; }

template <typename Routine>
uintptr_t code(Routine routine) {
  return reinterpret_cast<uintptr_t>(routine);
}

QlObject* find_item(QlString name, bool any_index, int32_t index) {
  QlObject* found = nullptr;
  for_each_menu_item([&](QlObject* item) {
    MenuItemFields* f = as_menu_item(item);
    if (string_compare_folded(f->name, name) == 0 && (any_index || f->index == index)) found = item;
    return !found;
  });
  return found;
}

}  // namespace

void define_menu_classes() {
  ClassObject* item = define_builtin_class("MenuItem", nullptr, sizeof(MenuItemObject));
  ClassObject* quit = define_builtin_class("QuitMenuItem", item, sizeof(MenuItemObject));
  item->destructor = destroy_menu_item;
  item->events = {&menu_events::kAction, &menu_events::kEnableMenu};
  item->properties.clear();
  item->properties.push_back(
      {"Text", &kStringType, code(menuItemTextGetter), code(menuItemTextSetter), 0, 0});
  item->properties.push_back(
      {"Enabled", &kBooleanType, code(menuItemEnabledGetter), code(menuItemEnabledSetter), 0, 0});
  item->properties.push_back(
      {"Checked", &kBooleanType, code(menuItemCheckedGetter), code(menuItemCheckedSetter), 0, 0});
  item->properties.push_back(
      {"Visible", &kBooleanType, code(menuItemVisibleGetter), code(menuItemVisibleSetter), 0, 0});
  item->properties.push_back(
      {"CommandKey", &kStringType, code(menuItemCommandKeyGetter), code(menuItemCommandKeySetter), 0, 0});
  item->properties.push_back({"Index", &kIntegerType, code(menuItemIndexGetter), 0, 0, 0});
  item->methods.clear();
  item->methods.push_back({"Close", code(RuntimeCloseMenuItem), 0});
  quit->events = {&menu_events::kQuitAction};
  quit->hooks.clear();
  quit->hooks.push_back({"EnableMenu", 0, code(quit_item_enable_menu)});
}

}  // namespace ql

using ql::as_menu_item;

QL_API QlObject* RuntimeMenuReference(QlString name) {
  return RuntimeLockObject(ql::find_item(name, false, ql::kNoMenuIndex));
}

QL_API QlObject* RuntimeMenuArrayReference(QlString name, int32_t index) {
  return RuntimeLockObject(ql::find_item(name, false, index));
}

QL_API QlObject* RuntimeCloneMenu(QlString name) {
  using namespace ql;
  // The last match that is in its platform menu: members cloned since the last enabling are not yet, so each
  // clone goes right after the item first found and the newest comes first until positions are rebuilt.
  // One walk finds both the item and the indices in use, instead of a walk for every index tried.
  QlObject* found = nullptr;
  QlObject* first_named = nullptr;
  std::vector<int32_t> held;
  for_each_menu_item([&](QlObject* item) {
    MenuItemFields* f = as_menu_item(item);
    if (string_compare_folded(f->name, name) != 0) return true;
    if (!first_named) first_named = item;
    if (f->present) found = item;
    if (f->index >= 0) held.push_back(f->index);
    return true;
  });
  if (!found) found = first_named;
  if (!found) return nullptr;
  // n members leave one of the indices 0 to n free, so the smallest free index is at most n and larger ones
  // need no mark: an image's member at index 2147483647 costs nothing.
  std::vector<bool> used(held.size() + 1);
  for (int32_t i : held) {
    if (static_cast<size_t>(i) < used.size()) used[static_cast<size_t>(i)] = true;
  }
  int32_t index = 0;
  while (used[static_cast<size_t>(index)]) ++index;
  MenuItemFields* from = as_menu_item(found);
  QlObject* copy = new_object(class_of(found));
  MenuItemFields* f = as_menu_item(copy);
  string_assign(f->name, from->name);
  string_assign(f->text, from->text);
  string_assign(f->third_text, from->third_text);
  f->index = index;
  f->value = 0;
  f->menu = from->menu;
  f->position = from->position;
  f->enabled = f->shown_enabled = f->visible = 1;
  f->present = 0;
  f->command_id = take_command_id();
  std::vector<MenuSlot>& items = from->menu->items;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].item == found) {
      items.insert(items.begin() + static_cast<ptrdiff_t>(i) + 1,
                   MenuSlot{copy, nullptr, items[i].separator});
      break;
    }
  }
  retain_object(copy);  // the caller's; the menu holds the first
  return copy;
}

QL_API void RuntimeCloseMenuItem(QlObject* item) {
  using namespace ql;
  if (!item || !class_isa(class_of(item), builtin_class("MenuItem"))) return;
  MenuItemFields* f = as_menu_item(item);
  Menu* menu = f->menu;
  if (!menu) return;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    if (menu->items[i].item != item) continue;
    if (f->present) delete_menu_item(menu->platform, f->position);
    f->present = 0;
    menu->items.erase(menu->items.begin() + static_cast<ptrdiff_t>(i));
    free_command_id(f->command_id);
    f->command_id = 0;
    f->menu = nullptr;
    apply_menu_state(*menu);
    redraw_menu_bar();
    release_object(item);  // the menu's reference
    return;
  }
}

QL_API void RuntimeEnableMenu(QlObject* item) {
  if (item) as_menu_item(item)->enabled = 1;
}

QL_API void enableMenuItems(void) {}

QL_API QlString menuItemTextGetter(QlObject* item, intptr_t) {
  if (!item) return nullptr;
  QlString text = as_menu_item(item)->text;
  ql::string_retain(text);
  return text;
}

QL_API void menuItemTextSetter(QlObject* item, intptr_t, QlString text) {
  if (!item) return;
  ql::MenuItemFields* f = as_menu_item(item);
  ql::string_assign(f->text, text);
  if (f->present && f->menu)
    ql::set_menu_item_text(f->menu->platform, f->position, ql::platform_item_text(*f));
}

QL_API bool menuItemEnabledGetter(QlObject* item, intptr_t) { return item && as_menu_item(item)->enabled; }
QL_API void menuItemEnabledSetter(QlObject* item, intptr_t, bool enabled) {
  if (item) as_menu_item(item)->enabled = enabled;
}
QL_API bool menuItemCheckedGetter(QlObject* item, intptr_t) { return item && as_menu_item(item)->checked; }
QL_API void menuItemCheckedSetter(QlObject* item, intptr_t, bool checked) {
  if (item) as_menu_item(item)->checked = checked;
}
QL_API bool menuItemVisibleGetter(QlObject* item, intptr_t) { return item && as_menu_item(item)->visible; }
QL_API void menuItemVisibleSetter(QlObject* item, intptr_t, bool visible) {
  if (item) as_menu_item(item)->visible = visible;
}

QL_API QlString menuItemCommandKeyGetter(QlObject* item, intptr_t) {
  if (!item) return nullptr;
  QlString key = as_menu_item(item)->command_key;
  ql::string_retain(key);
  return key;
}

QL_API void menuItemCommandKeySetter(QlObject* item, intptr_t, QlString key) {
  if (item) ql::string_assign(as_menu_item(item)->command_key, key);
}

QL_API int32_t menuItemIndexGetter(QlObject* item, intptr_t) { return item ? as_menu_item(item)->index : 0; }
