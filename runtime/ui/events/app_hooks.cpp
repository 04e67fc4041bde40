// The application layer's hooks, as it registered them.
#include "ui/events/app_hooks.h"

namespace ql {

namespace {
AppHooks registered;
}  // namespace

void set_app_hooks(const AppHooks& hooks) { registered = hooks; }
const AppHooks& app_hooks() { return registered; }

}  // namespace ql
