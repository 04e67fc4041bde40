// Steps of the application layer whose parts are not built yet; each does nothing until its part replaces it.
#include "app/app_steps.h"
#include "app/event_loop.h"

namespace ql {

void build_menu_bar(const uint8_t*, uint32_t) {}
void run_event_loop_pass() {}

}  // namespace ql
