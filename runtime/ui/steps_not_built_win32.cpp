// Parts of the windows layer that are not built yet; each does nothing until its part replaces it.
#include "ui/ui_steps.h"

namespace ql {

QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }

}  // namespace ql
