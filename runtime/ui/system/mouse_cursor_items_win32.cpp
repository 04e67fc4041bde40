// Mouse-cursor items of the image. The cursor resource's byte format is not specified anywhere the runtime
// could read it from, so such an item yields nil and windows keep the arrow; nothing in Loquat uses one.
#include "ui/ui_steps.h"

namespace ql {

QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }

}  // namespace ql
