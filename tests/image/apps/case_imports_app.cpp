// Imports entry points under names that differ from the table's only in letter case.
#include "quillet.h"

extern "C" QlString runtimeaddstring(QlString a, QlString b);
extern "C" void LINETRACE(QlString text);

extern "C" void app_entry() {
  quillet::start_runtime();
  QlString joined = runtimeaddstring(QL_STR("case "), QL_STR("insensitive"));
  LINETRACE(joined);
  RuntimeUnlockString(joined);
  RuntimeRun();
}
