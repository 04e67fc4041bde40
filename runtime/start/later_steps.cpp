// Steps of start-up, the event loop and shutdown whose layers are not built yet. Each does nothing until its
// layer replaces it: window classes and the MDI frame (windows and panes), plug-ins (plug-in host), pictures,
// sounds, menus and the item kinds of the services that have no layer here.
#include "start/startup_steps.h"

namespace ql {

void register_window_classes() {}
void install_plugins(const uint8_t*) {}
void create_mdi_frame(const std::string&) {}
QlObject* make_picture_item(const uint8_t*) { return nullptr; }
QlObject* make_value_item(uint32_t, uint32_t) { return nullptr; }
QlObject* make_sound_item(const uint8_t*, uint32_t) { return nullptr; }
QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }
QlObject* make_database_item(const uint8_t*) { return nullptr; }
void build_menu_bar(const uint8_t*, uint32_t) {}
bool windows_remain() { return false; }
void run_event_loop_pass() {}
void close_all_windows() {}
void release_sound() {}

}  // namespace ql
