// Members named by deferred imports ("!M", "!G", "!S", "!W" followed by [class "!"] member).
#include "start/startup_steps.h"
#include "values/fatal.h"

namespace ql {

uintptr_t lookup_deferred_member(const std::string& name) {
  char kind = name.empty() ? 0 : name[0];
  if (kind != 'M' && kind != 'G' && kind != 'S' && kind != 'W') {
    report_assertion(131, 4, "RuntimeMain", 3);
    return 0;
  }
  // Class members and plug-in global methods become findable with the class registry and the plug-in
  // host; until they exist no member matches.
  return 0;
}

}  // namespace ql
