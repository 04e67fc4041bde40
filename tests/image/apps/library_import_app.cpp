// Calls one routine that the project imports from a shared library.
#include "quillet.h"

extern "C" uint32_t imported_routine();

extern "C" void app_entry() {
  quillet::start_runtime();
  lineTrace(imported_routine() != 0 ? QL_STR("library routine called") : QL_STR("library routine gave 0"));
  RuntimeRun();
}
