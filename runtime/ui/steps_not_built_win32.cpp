// Parts of the windows layer that are not built yet; each does nothing until its part replaces it.
#include "ui/drop_target.h"
#include "ui/ui_classes.h"
#include "ui/ui_loop.h"
#include "ui/ui_steps.h"

namespace ql {

QlObject* make_sound_item(const uint8_t*, uint32_t) { return nullptr; }
QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }
void release_sound() {}
IDropTarget* register_drop_target(WindowPane*) { return nullptr; }
void revoke_drop_target(WindowPane*) {}
void deliver_drops() {}

}  // namespace ql
