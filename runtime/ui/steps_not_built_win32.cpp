// Steps of the windows layer whose parts are not built yet; each does nothing until its part replaces it.
#include "ui/ui_steps.h"

namespace ql {

namespace {
UiSettings current;
}  // namespace

void set_ui_settings(const UiSettings& settings) { current = settings; }
const UiSettings& ui_settings() { return current; }

void register_window_classes() {}
void create_mdi_frame(const std::string&) {}
QlObject* make_picture_item(const uint8_t*) { return nullptr; }
QlObject* make_sound_item(const uint8_t*, uint32_t) { return nullptr; }
QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }
bool windows_remain() { return false; }
void close_all_windows() {}
void release_sound() {}

}  // namespace ql
