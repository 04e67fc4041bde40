// Decoding and encoding the menu bar stream.
#include "image/menu_bar_stream.h"

#include "image/stream_reader.h"

namespace ql::image {

namespace {

// Indexes the image writes for "no array" in older forms.
int32_t normalised_index(int32_t index) {
  uint32_t raw = static_cast<uint32_t>(index);
  return raw == 0x80000010u || raw == 0x80100000u ? static_cast<int32_t>(0x80000000u) : index;
}

class MenuReader {
 public:
  MenuReader(const uint8_t* stream, uint32_t length, std::string& problem)
      : in_(stream, length), problem_(problem) {}

  bool entry(MenuEntry& out, int depth, bool top_level) {
    out.kind = in_.varint();
    out.text = in_.text();
    out.name = in_.text();
    out.index = normalised_index(in_.varint());
    out.command_key = in_.text();
    out.third_text = in_.text();
    out.fourth_text = in_.text();
    out.unused_byte = in_.byte();
    out.has_submenu = in_.byte() != 0;
    out.class_index = in_.varint();
    if (!in_.ok()) return fail("the menu entry \"" + std::string(out.text) + "\" is cut short");
    if (top_level || out.has_submenu) return list(out.items, depth + 1, std::string(out.text));
    return true;
  }

  bool list(std::vector<MenuEntry>& out, int depth, const std::string& owner) {
    if (depth > kMaxMenuDepth) return fail("the submenus below \"" + owner + "\" nest too deeply");
    int32_t count = in_.varint();
    if (!in_.ok() || count < 0 || static_cast<uint32_t>(count) > in_.remaining())
      return fail("the item count of \"" + owner + "\" (" + std::to_string(count) +
                  ") does not fit the stream");
    for (int32_t i = 0; i < count; ++i) {
      MenuEntry item;
      if (!entry(item, depth, false)) return false;
      out.push_back(std::move(item));
    }
    return true;
  }

  bool menus(MenuBarStream& out) {
    int32_t count = in_.varint();
    if (!in_.ok() || count < 0 || static_cast<uint32_t>(count) > in_.remaining())
      return fail("its menu count (" + std::to_string(count) + ") does not fit the stream");
    for (int32_t i = 0; i < count; ++i) {
      MenuEntry menu;
      if (!entry(menu, 0, true)) return false;
      out.menus.push_back(std::move(menu));
    }
    return true;
  }

 private:
  bool fail(const std::string& what) {
    problem_ = what;
    return false;
  }
  StreamReader in_;
  std::string& problem_;
};

void write_entry(std::vector<uint8_t>& out, const MenuEntry& entry, bool top_level) {
  write_varint(out, entry.kind);
  write_text(out, entry.text);
  write_text(out, entry.name);
  write_varint(out, entry.index);
  write_text(out, entry.command_key);
  write_text(out, entry.third_text);
  write_text(out, entry.fourth_text);
  out.push_back(entry.unused_byte);
  out.push_back(entry.has_submenu ? 1 : 0);
  write_varint(out, entry.class_index);
  if (top_level || entry.has_submenu) {
    write_varint(out, static_cast<int32_t>(entry.items.size()));
    for (const MenuEntry& item : entry.items) write_entry(out, item, false);
  }
}

}  // namespace

bool decode_menu_bar(const uint8_t* stream, uint32_t length, MenuBarStream& out, std::string& problem) {
  out = MenuBarStream{};
  MenuReader reader(stream, length, problem);
  return reader.menus(out);
}

std::vector<uint8_t> encode_menu_bar(const MenuBarStream& menu_bar) {
  std::vector<uint8_t> out;
  write_varint(out, static_cast<int32_t>(menu_bar.menus.size()));
  for (const MenuEntry& menu : menu_bar.menus) write_entry(out, menu, true);
  return out;
}

}  // namespace ql::image
