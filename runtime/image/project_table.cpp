// Finding the project table and checking every item record it points to.
#include "image/project_table.h"

#include <cstring>

#include "image/image_format.h"
#include "image/menu_bar_stream.h"
#include "image/picture_record.h"
#include "image/settings_record.h"

namespace ql::image {

const uint8_t* Data1View::at(uint32_t pointer, uint32_t n) const {
  if (pointer < address) return nullptr;
  uint32_t offset = pointer - address;
  if (offset > length || length - offset < n) return nullptr;
  return bytes + offset;
}

uint32_t read_word(const uint8_t* p) {
  uint32_t value;
  std::memcpy(&value, p, 4);
  return value;
}

namespace {

// Bytes an item record of each kind needs beyond its kind word, not counting the data its lengths name.
uint32_t fixed_record_size(uint32_t kind) {
  switch (kind) {
    case kItemPicture:
      return 4;
    case kItemMenuBar:
      return 4;
    case kItemSettings:
      return 8;
    case kItemImplicitInstance:
      return 8;
    case kItemSound:
      return 4;
    case kItemDatabase:
      return 16;
    default:
      return 4;
  }
}

bool check_item(const Data1View& data1, uint32_t index, uint32_t pointer, std::string& error) {
  const std::string where = "project item " + std::to_string(index + 1);
  const uint8_t* record = data1.at(pointer, 4);
  if (!record) {
    error = where + " points outside data1";
    return false;
  }
  uint32_t kind = read_word(record);
  uint32_t fixed = fixed_record_size(kind);
  if (!data1.at(pointer, 4 + fixed)) {
    error = where + " (kind " + std::to_string(kind) + ") is cut short by the end of data1";
    return false;
  }
  if (kind == kItemMenuBar || kind == kItemSound) {
    uint32_t length = read_word(record + 4);
    if (!data1.at(pointer + 8, length)) {
      error = where + " holds " + std::to_string(length) + " bytes that reach past the end of data1";
      return false;
    }
  }
  if (kind == kItemMenuBar) {
    MenuBarStream menu_bar;
    std::string problem;
    if (!decode_menu_bar(record + 8, read_word(record + 4), menu_bar, problem)) {
      error = where + " (the menu bar) is damaged: " + problem;
      return false;
    }
  }
  if (kind == kItemPicture) {
    PictureRecord picture;
    std::string problem;
    if (!decode_picture_record(record, data1.length - (pointer - data1.address), picture, problem)) {
      error = where + ": " + problem;
      return false;
    }
  }
  if (kind == kItemImplicitInstance && !data1.at(read_word(record + 8), sizeof(void*))) {
    error = where + " names a global variable outside data1";
    return false;
  }
  if (kind == kItemSettings) {
    // The chain of 12-byte links {next, reserved, text} is only walked; a loop or a link outside data1
    // would make that walk unsafe.
    uint32_t link = read_word(record + 4);
    for (uint32_t steps = 0; link != 0; ++steps) {
      const uint8_t* node = data1.at(link, 12);
      if (!node || steps > data1.length / 12) {
        error = where + " has a broken settings chain";
        return false;
      }
      link = read_word(node);
    }
    uint32_t length = read_word(record + 8);
    const uint8_t* stream = data1.at(pointer + 12, length);
    Settings parsed;
    if (!stream || !parse_settings(stream, length, parsed)) {
      error = where + " has a settings stream that is cut short";
      return false;
    }
  }
  return true;
}

}  // namespace

bool read_project_table(const Data1View& data1, ProjectTable& out, std::string& error) {
  if (data1.length < 8) {
    error = "data1 is shorter than its two header words";
    return false;
  }
  uint32_t table = read_word(data1.bytes + kProjectTableWord);
  const uint8_t* counts = data1.at(table, 4);
  if (!counts) {
    error = "the project table lies outside data1";
    return false;
  }
  out.class_count = read_word(counts);
  if (out.class_count > data1.length / 4 || !data1.at(table + 4, out.class_count * 4 + 4)) {
    error = "the project table's " + std::to_string(out.class_count) + " classes reach past the end of data1";
    return false;
  }
  out.class_words = counts + 4;
  const uint8_t* item_count = out.class_words + out.class_count * 4;
  out.item_count = read_word(item_count);
  uint32_t items_at = table + 8 + out.class_count * 4;
  if (out.item_count > data1.length / 4 || !data1.at(items_at, out.item_count * 4)) {
    error = "the project table's " + std::to_string(out.item_count) + " items reach past the end of data1";
    return false;
  }
  out.item_words = item_count + 4;
  for (uint32_t i = 0; i < out.class_count; ++i) {
    if (!data1.at(read_word(out.class_words + i * 4), 4)) {
      error = "class descriptor " + std::to_string(i) + " points outside data1";
      return false;
    }
  }
  for (uint32_t i = 0; i < out.item_count; ++i) {
    uint32_t pointer = read_word(out.item_words + i * 4);
    if (pointer != 0 && !check_item(data1, i, pointer, error)) return false;
  }
  return true;
}

SettingsStream settings_stream(const uint8_t* record) { return {record + 12, read_word(record + 8)}; }

}  // namespace ql::image
