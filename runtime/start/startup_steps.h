// The steps of runtime initialisation and shutdown that belong to other layers, in the order RuntimeInit
// and RuntimeRun call them.
#pragma once

#include <stdint.h>

#include <string>

#include "objects/object_steps.h"
#include "quillet/types.h"

namespace ql {

// Initialisation (with the steps of objects and classes).
void register_window_classes();
void install_plugins(const uint8_t* plugin_chain);
void create_project_items();
void create_mdi_frame(const std::string& title);

// Project items whose classes are not built yet. Each gets the item record behind its kind word and answers
// the object made for it, or null.
QlObject* make_picture_item(const uint8_t* record);
QlObject* make_value_item(uint32_t kind, uint32_t value);
QlObject* make_sound_item(const uint8_t* bytes, uint32_t length);
QlObject* make_mouse_cursor_item(int32_t resource_number);
QlObject* make_database_item(const uint8_t* record);
void build_menu_bar(const uint8_t* stream, uint32_t length);

// The event loop and shutdown.
bool windows_remain();  // a window or an MDI frame exists
void run_event_loop_pass();
void close_all_windows();
void release_sound();

}  // namespace ql
