// Stopping the program: the message, the exit list, the exit.
#include "values/fatal_stop.h"

#include "platform/platform.h"
#include "values/exit_list.h"

namespace ql {

void stop_program(const std::string& text) {
  if (!text.empty()) show_stop_message(text);
  run_exit_list();
  platform::exit_process(0);
}

}  // namespace ql
