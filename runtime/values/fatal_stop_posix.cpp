// The host has no message box: the text goes to the standard error stream.
#include <stdio.h>

#include "values/fatal_stop.h"

namespace ql {

void show_stop_message(const std::string& text) {
  fwrite(text.data(), 1, text.size(), stderr);
  fputc('\n', stderr);
}

}  // namespace ql
