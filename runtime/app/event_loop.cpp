// RuntimeRun: the event loop and the shutdown that follows it.
#include "platform/platform.h"
#include "quillet/start.h"
#include "start/runtime_state.h"
#include "start/startup_steps.h"

QL_API void RuntimeRun(void) {
  ql::RuntimeState& state = ql::runtime_state();
  while (!state.quit && ql::windows_remain()) ql::run_event_loop_pass();
  ql::close_all_windows();
  ql::release_sound();
  ql::platform::ole_uninitialize();
}
