// Calls a member of a built-in class that does not exist, through a deferred import.
#include "quillet.h"

extern "C" void missing_member(QlObject* item);

extern "C" void app_entry() {
  quillet::start_runtime();
  lineTrace(QL_STR("started"));
  missing_member(nullptr);
  RuntimeRun();
}
