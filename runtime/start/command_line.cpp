// The command line the program was started with, after its name, for compiled code.
#include "quillet/start.h"
#include "start/runtime_state.h"
#include "values/string.h"

QL_API QlString RuntimeGetCommandLine(void) {
  const std::string& line = ql::runtime_state().command_line;
  return ql::string_from_bytes(line.data(), static_cast<int32_t>(line.size()));
}
