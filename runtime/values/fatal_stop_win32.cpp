// The message box of the fatal paths on Win32.
#include "quillet/start.h"
#include "values/fatal_stop.h"
#include "values/string_ref.h"

namespace ql {

void show_stop_message(const std::string& text) {
  StringRef message(string_from_bytes(text.data(), static_cast<int32_t>(text.size())));
  RuntimeMsgBox(message.get());
}

}  // namespace ql
