// Writing the project items, the plug-in chain and the project table.
#include "qlimage/project_items.h"

#include <map>

#include "image/image_format.h"
#include "image/item_records.h"
#include "image/menu_bar_stream.h"
#include "image/picture_record.h"
#include "image/plugin_chain.h"
#include "image/settings_record.h"
#include "qlimage/class_symbols.h"
#include "qlimage/picture_conversion.h"

namespace qlimage {
namespace {

struct ItemWriter {
  Data1Records& records;
  const Project& project;
  const ClassList& classes;
  const Resolution& resolution;
  std::vector<std::optional<RecordId>>& slots;
  Diagnostics& diagnostics;
  std::map<uint32_t, std::string> given;  // item number -> what gave it

  void error(const std::string& message) {
    diagnostics.error((project.path.empty() ? "" : project.path + ": ") + message);
  }

  // False when the number is out of range or taken; both are reported.
  bool claim(uint32_t item, const std::string& what) {
    if (item < 1 || item > kMaxItemNumber) {
      error(what + ": item " + std::to_string(item) + " is not an item number; give a number from 1 to " +
            std::to_string(kMaxItemNumber));
      return false;
    }
    auto [it, inserted] = given.try_emplace(item, what);
    if (!inserted) {
      error(what + ": item " + std::to_string(item) + " is already taken by " + it->second +
            "; give each item a number of its own");
      return false;
    }
    return true;
  }

  void put(uint32_t item, Data1Record record) {
    if (slots.size() < item) slots.resize(item);
    slots[item - 1] = records.add(std::move(record));
  }

  void picture(const PictureDescription& picture) {
    std::string what =
        "picture item " + std::to_string(picture.item) + " (file '" + picture.file.written + "')";
    if (!claim(picture.item, what)) return;
    std::vector<uint8_t> pixels = pixels_555(picture.rgba, picture.width, picture.height);
    put(picture.item, {4,
                       ql::image::encode_picture_record(picture.transparent ? 1 : 0, 16, picture.width,
                                                        picture.height, pixels),
                       {},
                       {}});
  }

  void sound(const SoundDescription& sound) {
    std::string what = "sound item " + std::to_string(sound.item) + " (file '" + sound.file.written + "')";
    if (!claim(sound.item, what)) return;
    if (sound.file.bytes.empty()) {
      error(what + ": the file is empty; a sound needs at least one sample");
      return;
    }
    put(sound.item, {4, ql::image::encode_sound_record(sound.file.bytes), {}, {}});
  }

  void implicit_instance(const ImplicitInstance& instance) {
    std::string what = "implicit instance item " + std::to_string(instance.item);
    if (!claim(instance.item, what)) return;
    std::string problem;
    std::optional<SymbolTarget> global =
        bind_data_symbol(resolution, instance.global, resolution.target->pointer_size, problem);
    if (!global) {
      error(what + ": global '" + instance.global + "' " + problem);
      return;
    }
    Data1Record record;
    record.bytes = ql::image::encode_implicit_instance(classes.find(instance.class_name).value_or(0), 0);
    record.pointers.push_back({ql::image::kImplicitInstanceGlobalWord, section_target(*global)});
    put(instance.item, std::move(record));
  }

  ql::image::MenuEntry entry(const std::string& text, const std::string& name, int32_t index,
                             const std::string& key, uint32_t class_index) {
    ql::image::MenuEntry out;
    out.kind = ql::image::kMenuEntryItem;
    out.text = text;
    out.name = name;
    out.index = index;
    out.command_key = key;
    out.class_index = static_cast<int32_t>(class_index);
    return out;
  }

  std::vector<ql::image::MenuEntry> menu_items(const std::vector<MenuItemDescription>& items) {
    std::vector<ql::image::MenuEntry> out;
    for (const MenuItemDescription& item : items) {
      ql::image::MenuEntry e =
          entry(item.text, item.name, item.index, item.key, classes.find(item.class_name).value_or(0));
      e.third_text = item.third_text;
      e.fourth_text = item.fourth_text;
      e.has_submenu = item.has_submenu;
      e.items = menu_items(item.items);
      out.push_back(std::move(e));
    }
    return out;
  }

  void menu_bar(uint32_t item) {
    ql::image::MenuBarStream stream;
    uint32_t menu_item = classes.find("MenuItem").value_or(0);
    for (const MenuDescription& menu : project.menus) {
      ql::image::MenuEntry top = entry(menu.text, menu.name, kNoMenuIndex, "", menu_item);
      top.items = menu_items(menu.items);
      stream.menus.push_back(std::move(top));
    }
    put(item, {4, ql::image::encode_menu_bar_item(ql::image::encode_menu_bar(stream)), {}, {}});
  }

  void settings(uint32_t item) {
    const Settings& given_settings = *project.settings;
    ql::image::Settings out;
    out.font_flag = given_settings.font_flag;
    out.script_code = given_settings.script_code;
    for (const FileType& type : given_settings.file_types) {
      std::string extensions;
      for (const std::string& extension : type.extensions)
        extensions += (extensions.empty() ? "" : ";") + extension;
      out.file_types.push_back({type.name, type.first_code, type.second_code, extensions});
    }
    out.messages = given_settings.messages;
    out.mdi = given_settings.mdi;
    out.mdi_title = given_settings.mdi_title;
    put(item, {4, ql::image::encode_settings_item(ql::image::encode_settings(out)), {}, {}});
  }
};

}  // namespace

bool add_project_items(Data1Records& records, const Project& project, const ClassList& classes,
                       const Resolution& resolution, std::vector<std::optional<RecordId>>& slots,
                       Diagnostics& diagnostics) {
  size_t errors_before = diagnostics.errors.size();
  ItemWriter writer{records, project, classes, resolution, slots, diagnostics, {}};
  for (const PictureDescription& picture : project.pictures) writer.picture(picture);
  for (const SoundDescription& sound : project.sounds) writer.sound(sound);
  for (const ImplicitInstance& instance : project.implicit_instances) writer.implicit_instance(instance);
  uint32_t next = writer.given.empty() ? 1 : writer.given.rbegin()->first + 1;
  if (!project.menus.empty()) writer.menu_bar(next++);
  if (project.settings) writer.settings(next++);
  return diagnostics.errors.size() == errors_before;
}

void add_plugin_chain(Data1Records& records, const Project& project, Resolution& resolution) {
  std::vector<RecordId> nodes;
  for (const PluginDescription& plugin : project.plugins) {
    Data1Record node;
    ql::image::encode_plugin_node(plugin.name, plugin.file.bytes, node.bytes);  // checked when read
    nodes.push_back(records.add(std::move(node)));
  }
  for (size_t i = 0; i + 1 < nodes.size(); ++i)
    records[nodes[i]].pointers.push_back({0, record_target(nodes[i + 1])});
  Data1Record head;
  if (nodes.empty()) {
    append_word(head, 0);
  } else {
    append_pointer(head, record_target(nodes.front()));
  }
  RecordId id = records.add(std::move(head));
  for (GeneratedSymbol& symbol : resolution.generated) {
    if (symbol.kind == GeneratedKind::kPluginChainHead) symbol.record = id;
  }
}

void add_project_table(Data1Records& records, const std::vector<RecordId>& classes,
                       const std::vector<std::optional<RecordId>>& items, Resolution& resolution) {
  Data1Record table;
  append_word(table, static_cast<uint32_t>(classes.size()));
  for (RecordId cls : classes) append_pointer(table, record_target(cls));
  append_word(table, static_cast<uint32_t>(items.size()));
  for (const std::optional<RecordId>& item : items) {
    if (item) {
      append_pointer(table, record_target(*item));
    } else {
      append_word(table, 0);  // a gap: an empty slot, left unrelocated
    }
  }
  RecordId table_id = records.add(std::move(table));

  Data1Record header;
  header.fixed_offset = 0;
  append_pointer(header, section_target(resolution.entry));
  append_pointer(header, record_target(table_id));
  RecordId header_id = records.add(std::move(header));
  for (GeneratedSymbol& symbol : resolution.generated) {
    if (symbol.kind == GeneratedKind::kData1Header) symbol.record = header_id;
  }
}

}  // namespace qlimage
