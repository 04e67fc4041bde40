// Stopping the program: the message, the exit list, the exit.
#include "values/fatal_stop.h"

#include "platform/platform.h"
#include "values/exit_list.h"

namespace ql {

namespace {
void (*stop_message_box)(const char* text) = nullptr;
}  // namespace

void set_stop_message_box(void (*show)(const char* text)) { stop_message_box = show; }

void show_stop_message(const std::string& text) {
  if (stop_message_box) {
    stop_message_box(text.c_str());
  } else {
    platform::show_plain_message(text.c_str());
  }
}

void stop_program(const std::string& text) {
  if (!text.empty()) show_stop_message(text);
  run_exit_list();
  platform::exit_process(0);
}

}  // namespace ql
