// The assertion reporter and the debug log, which do nothing, and the end of exhausted memory.
#include "values/fatal.h"

#include "platform/platform.h"

namespace ql {

void report_assertion(AssertionKind, const char*, int) {}

void debug_log(const char*) {}

namespace {

// Receives the length-prefixed fatal message; it has no visible effect.
void fatal_message_hook(const unsigned char*) {}

void (*drawing_state_release)() = nullptr;

}  // namespace

void set_fatal_drawing_release(void (*release)()) { drawing_state_release = release; }

void fatal_out_of_memory() {
  static const unsigned char kMessage[] = "\x39This application has run out of memory and must quit now.";
  static_assert(sizeof(kMessage) - 2 == 0x39, "length byte matches the text");
  // Cleared first: a release that itself runs out of memory must not come back here.
  if (void (*release)() = drawing_state_release) {
    drawing_state_release = nullptr;
    release();
  }
  fatal_message_hook(kMessage);
  platform::exit_process(0);
}

}  // namespace ql
