// The steps of initialisation, of the event loop and of shutdown that belong to windows, drawing and sound.
#pragma once

#include <stdint.h>

#include <string>

#include "quillet/types.h"

namespace ql {

// What the image's settings tell this layer.
struct UiSettings {
  uint8_t font_flag = 0;
  uint8_t font_charset = 1;
  bool mdi = false;
  std::string mdi_title;
};
void set_ui_settings(const UiSettings& settings);
const UiSettings& ui_settings();

void register_window_classes();
void create_mdi_frame(const std::string& title);

// Project items of pictures and sounds: the record behind the kind word, used in place.
QlObject* make_picture_item(const uint8_t* record);
QlObject* make_sound_item(const uint8_t* bytes, uint32_t length);
QlObject* make_mouse_cursor_item(int32_t resource_number);
// A MouseCursor object for a platform cursor, and the platform cursor of one (null for nil or another class).
QlObject* new_mouse_cursor(void* platform_cursor);
void* mouse_cursor_handle(QlObject* cursor);

// The runtime's modal message box: the other windows take no input while it shows.
void show_message_box(const char* text);

bool windows_remain();  // a window or an MDI frame exists
void close_all_windows();
void release_sound();

}  // namespace ql
