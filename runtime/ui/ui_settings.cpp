// What the image's settings tell the windows layer.
#include "ui/ui_steps.h"

namespace ql {

namespace {
UiSettings current;
}  // namespace

void set_ui_settings(const UiSettings& settings) { current = settings; }
const UiSettings& ui_settings() { return current; }

}  // namespace ql
