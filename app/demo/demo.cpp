// A demonstration image: starts the runtime, says so, and ends.
#include "quillet.h"

extern "C" void loquat_entry() {
  quillet::start_runtime();
  lineTrace(QL_STR("Quillet runtime started"));
  RuntimeMsgBox(
      QL_STR("The Quillet runtime has started, loaded and linked this demonstration image.\r"
             "The lessons application is not part of this build yet."));
  RuntimeRun();
}
