// Building the menu bar from the image's menu bar stream, command ids, shortcut texts, and applying items'
// state to the platform menus.
#include "app/menu_bar.h"

#include <bitset>

#include "app/app_steps.h"
#include "image/menu_bar_stream.h"
#include "objects/class_object.h"
#include "objects/objects.h"
#include "values/fatal_stop.h"
#include "values/string.h"

namespace ql {

namespace {

MenuBar*& bar_pointer() {
  static MenuBar* bar = nullptr;
  return bar;
}

std::bitset<1024>& taken_ids() {
  static std::bitset<1024> taken;
  return taken;
}

QlString owned(std::string_view text) {
  return string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
}

const ClassObject* menu_item_class() {
  static const ClassObject* cls = builtin_class("MenuItem");
  return cls;
}

void read_items(const std::vector<image::MenuEntry>& entries, Menu* menu);

QlObject* make_item(const image::MenuEntry& entry, Menu* menu) {
  ClassObject* cls = class_at_index(entry.class_index);
  if (!cls || !class_isa(cls, menu_item_class())) {
    show_stop_message("The application image is damaged: the menu item \"" + std::string(entry.text) +
                      "\" names the class index " + std::to_string(entry.class_index) +
                      ", which is no menu item class. The item is made a plain MenuItem.");
    cls = builtin_class("MenuItem");
  }
  QlObject* item = new_object(cls);
  MenuItemFields* f = as_menu_item(item);
  f->name = owned(entry.name);
  f->text = owned(entry.text);
  f->third_text = owned(entry.third_text);
  f->fourth_text = owned(entry.fourth_text);
  f->command_key = owned(entry.command_key);
  f->index = entry.index;
  f->value = 0;
  f->menu = menu;
  f->position = static_cast<int32_t>(menu->items.size());
  f->enabled = f->shown_enabled = f->visible = f->present = 1;
  f->command_id = take_command_id();
  return item;
}

void add_entry(const image::MenuEntry& entry, Menu* menu) {
  if (entry.kind != image::kMenuEntryItem) {
    // A terminator, or a kind that makes no item; a submenu it announces is read and left out.
    return;
  }
  MenuBar* bar = menu_bar();
  QlObject* item = make_item(entry, menu);
  MenuItemFields* f = as_menu_item(item);
  MenuSlot slot{item};
  std::string text = platform_label(entry.text);
  std::string shortcut =
      f->command_key && string_length(f->command_key) ? shortcut_text(string_cview(f->command_key)) : "";
  if (text == "-") {
    slot.separator = true;
    append_separator(menu->platform);
  } else if (entry.has_submenu) {
    auto* submenu = new Menu{create_popup_menu(), {}};
    submenu->submenu = true;
    bar->menus.push_back(submenu);
    read_items(entry.items, submenu);
    slot.submenu = submenu;
    append_submenu(menu->platform, submenu->platform, shortcut.empty() ? text : text + "\t" + shortcut);
  } else if (shortcut.empty()) {
    append_menu_item(menu->platform, f->command_id, text);
  } else {
    bar->shortcuts.push_back({f->command_id, shortcut});
    append_menu_item(menu->platform, f->command_id, text + "\t" + shortcut);
  }
  menu->items.push_back(slot);
}

void read_items(const std::vector<image::MenuEntry>& entries, Menu* menu) {
  for (const image::MenuEntry& entry : entries) add_entry(entry, menu);
}

bool equal_folded(const std::string& a, const std::string& b) { return names_equal(a, b); }

}  // namespace

MenuBar* menu_bar() { return bar_pointer(); }

void build_menu_bar(const uint8_t* stream, uint32_t length) {
  image::MenuBarStream decoded;
  std::string problem;
  // The project table's check decoded it once already; a second failure cannot happen with the same bytes.
  if (!image::decode_menu_bar(stream, length, decoded, problem)) return;
  if (!bar_pointer()) bar_pointer() = new MenuBar{create_menu_bar(), {}, {}};
  MenuBar* bar = bar_pointer();
  for (const image::MenuEntry& entry : decoded.menus) {
    if (entry.kind == image::kMenuEntryNotBuilt || entry.kind == image::kMenuEntryTerminator) continue;
    auto* menu = new Menu{create_popup_menu(), {}};
    bar->menus.push_back(menu);
    read_items(entry.items, menu);
    append_submenu(bar->platform, menu->platform, platform_label(entry.text));
  }
}

int32_t take_command_id() {
  std::bitset<1024>& taken = taken_ids();
  for (size_t i = 0; i < taken.size(); ++i) {
    if (!taken[i]) {
      taken[i] = true;
      return 1000 + static_cast<int32_t>(i);
    }
  }
  return 0;
}

void free_command_id(int32_t id) {
  if (id >= 1000 && id < 2024) taken_ids()[id - 1000] = false;
}

QlObject* menu_item_with_id(int32_t command_id) {
  QlObject* found = nullptr;
  if (command_id == 0) return nullptr;
  for_each_menu_item([&](QlObject* item) {
    if (as_menu_item(item)->command_id == command_id) found = item;
    return !found;
  });
  return found;
}

std::string shortcut_text(const std::string& command_key) {
  bool ctrl = false, shift = false, alt = false;
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t dash; (dash = command_key.find('-', start)) != std::string::npos; start = dash + 1)
    fields.push_back(command_key.substr(start, dash - start));
  std::string key = command_key.substr(start);
  for (const std::string& modifier : fields) {
    if (equal_folded(modifier, "Shift")) shift = true;
    if (equal_folded(modifier, "Control")) ctrl = true;
    if (equal_folded(modifier, "Alt")) alt = true;
  }
  if (key.empty()) key = "-";
  if (key.size() == 1) ctrl = true;
  return std::string(ctrl ? "Ctrl+" : "") + (shift ? "Shft+" : "") + (alt ? "Alt+" : "") + key;
}

std::string platform_item_text(const MenuItemFields& item) {
  std::string text = platform_label(string_cview(item.text));
  if (item.command_key && string_length(item.command_key))
    text += "\t" + shortcut_text(string_cview(item.command_key));
  return text;
}

void apply_menu_state(Menu& menu) {
  int32_t position = 0;
  for (MenuSlot& slot : menu.items) {
    MenuItemFields* f = as_menu_item(slot.item);
    if (!f->visible) {
      if (f->present) delete_menu_item(menu.platform, position);
      f->present = 0;
      continue;
    }
    if (!f->present) {
      insert_menu_item(menu.platform, position, f->command_id, platform_item_text(*f), slot.separator,
                       slot.submenu ? slot.submenu->platform : nullptr);
      f->present = 1;
      f->shown_enabled = 1;
      f->shown_checked = 0;
    }
    f->position = position++;
  }
  for (MenuSlot& slot : menu.items) {
    MenuItemFields* f = as_menu_item(slot.item);
    if (!f->present) continue;
    if (f->enabled != f->shown_enabled) {
      set_menu_item_enabled(menu.platform, f->position, f->enabled);
      f->shown_enabled = f->enabled;
    }
    if (f->checked != f->shown_checked) {
      set_menu_item_checked(menu.platform, f->position, f->checked);
      f->shown_checked = f->checked;
    }
  }
}

}  // namespace ql
