// RuntimeRun: the event loop, one pass at a time, and the shutdown that follows it; RuntimeShowModal and
// RuntimeBackgroundTask, which run parts of it from inside compiled code.
#include "app/event_loop.h"

#include <algorithm>

#include "app/application.h"
#include "app/periodic_tasks.h"
#include "app/timers.h"
#include "objects/objects.h"
#include "platform/platform.h"
#include "quillet/menus.h"
#include "quillet/start.h"
#include "quillet/windows.h"
#include "ui/events/event_messages.h"
#include "ui/panes/message_scope.h"
#include "ui/ui_steps.h"
#include "ui/window/window_object.h"
#include "ui/window/window_support.h"

namespace ql {

namespace {

// How long a pass may wait for a message. Without timers, capture or periodic tasks it waits for the next
// message however long that takes; with them it takes only what is there, and then sleeps until the
// soonest of them is due instead of spinning, so that a running timer does not cost a whole processor.
int32_t wait_budget() {
  int32_t timer = milliseconds_to_next_timer();
  int32_t task = milliseconds_to_next_task();
  if (timer < 0 && task < 0 && !mouse_captured()) return -1;
  int32_t budget = mouse_captured() ? 16 : INT32_MAX;
  if (timer >= 0) budget = std::min(budget, timer);
  if (task >= 0) budget = std::min(budget, task);
  return budget;
}

}  // namespace

void run_event_loop_pass() {
  // Panes closed during the pass (by a handler, a timer or a task) are deleted when it ends.
  MessageScope scope;
  deliver_drops();
  apply_window_geometry();
  bool quit = false;
  take_message(wait_budget(), quit);
  if (quit) set_quit_flag();
  poll_pointer();
  idle_panes();
  run_timers();
  if (!windows_remain()) set_quit_flag();
  run_periodic_tasks();
}

}  // namespace ql

QL_API void RuntimeRun(void) {
  // Without any window there is nothing a message could come for: waiting would never end.
  while (!ql::quit_flag() && ql::windows_remain()) ql::run_event_loop_pass();
  ql::close_all_windows();
  ql::release_sound();
  ql::platform::ole_uninitialize();
}

QL_API void RuntimeShowModal(QlObject* window) {
  if (!window) return;
  RuntimeShowWindow(window);
  // Held for the loop: closing the window drops the window list's reference.
  ql::retain_object(window);
  while (!ql::quit_flag() && ql::window_built(window) && ql::as_window_fields(window)->visible)
    ql::run_event_loop_pass();
  ql::release_object(window);
}

QL_API void RuntimeBackgroundTask(void) {
  static uint32_t last = 0;
  uint32_t now = ql::platform::tick_count();
  if (now == last) return;
  last = now;
  ql::run_periodic_tasks();
}

// The runtime shows no wait cursor of its own; the request is only recorded.
static bool auto_wait_cursor_disabled = false;
QL_API void DisableAutoWaitCursor(void) { auto_wait_cursor_disabled = true; }
