// One pass of the event loop.
#pragma once

namespace ql {

void run_event_loop_pass();

}  // namespace ql
