// Quitting the application: the QuitMenuItem's way and ApplicationQuit's.
#include "app/quit.h"

#include <vector>

#include "app/application.h"
#include "objects/exceptions.h"
#include "objects/objects.h"
#include "quillet/menus.h"
#include "ui/events/event_messages.h"
#include "ui/events/window_events.h"
#include "ui/window/window_support.h"

namespace ql {

bool quit_application() {
  std::vector<QlObject*> windows;
  for (int32_t i = 0; i < window_count(); ++i) {
    QlObject* window = window_object_at(i);
    retain_object(window);
    windows.push_back(window);
  }
  bool refused = false;
  for (QlObject* window : windows) {
    if (!refused && window_built(window) && fire_boolean_event(window, window_events::kCancelClose))
      refused = true;
  }
  for (QlObject* window : windows) release_object(window);
  if (refused) return false;
  fire_application_event("Close");
  close_all_windows();
  set_quit_flag();
  return true;
}

}  // namespace ql

QL_API void ApplicationQuit(void) {
  if (ql::quit_application()) ql::raise_new_exception("EndException");
}
