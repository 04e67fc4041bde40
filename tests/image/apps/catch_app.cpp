// Calls methods that catch the NilObjectException the runtime raises (catch_methods_<target>.S), traces what
// they answer, and returns to the runtime, which then ends the program normally.
#include "quillet.h"

extern "C" {

// 1 when its handler ran; 0 when the raise returned.
int32_t catch_nil_plainly(void);
// As catch_nil_plainly, but 2 when its handler found the callee-saved registers changed.
int32_t catch_nil_checking_registers(void);

void app_entry() {
  quillet::start_runtime();
  int32_t caught = 0, kept = 0;
  // Many rounds, so that the runtime's frames, reused each time, hold different leftovers.
  for (int round = 0; round < 50; ++round) {
    caught += catch_nil_plainly() == 1;
    kept += catch_nil_checking_registers() == 1;
  }
  lineTrace(caught == 50 ? QL_STR("caught every time") : QL_STR("not caught"));
  lineTrace(kept == 50 ? QL_STR("registers kept") : QL_STR("registers lost"));
  RuntimeRun();
  lineTrace(QL_STR("returning to the runtime"));
}

}  // extern "C"
