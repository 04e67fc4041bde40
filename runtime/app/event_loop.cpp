// RuntimeRun: the event loop and the shutdown that follows it.
#include "app/application.h"
#include "app/event_loop.h"
#include "platform/platform.h"
#include "quillet/start.h"
#include "ui/ui_steps.h"

QL_API void RuntimeRun(void) {
  while (!ql::quit_flag() && ql::windows_remain()) ql::run_event_loop_pass();
  ql::close_all_windows();
  ql::release_sound();
  ql::platform::ole_uninitialize();
}
