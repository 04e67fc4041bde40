// Clones a member of a menu item array whose other member holds index 2147483647, and traces the indices the
// clones get and how far the process's peak working set grew meanwhile.
#include "quillet.h"

using quillet::Str;

// PROCESS_MEMORY_COUNTERS as 64-bit Windows lays it out.
struct MemoryCounters {
  uint32_t size;
  uint32_t page_fault_count;
  uint64_t peak_working_set;
  uint64_t working_set;
  uint64_t other[6];
};

// K32GetProcessMemoryInfo (process, counters, size). The image is built for win64 only, whose one calling
// convention this declaration follows.
extern "C" int32_t memory_counters(void* process, MemoryCounters* counters, uint32_t size);

namespace {

void trace_number(QlString label, int32_t n) {
  Str number(StringStr(IntToFP(n)));
  Str line(RuntimeAddString(label, number.get()));
  lineTrace(line.get());
}

uint64_t peak_working_set() {
  MemoryCounters counters = {};
  counters.size = sizeof counters;
  void* const current_process = reinterpret_cast<void*>(static_cast<intptr_t>(-1));
  return memory_counters(current_process, &counters, sizeof counters) ? counters.peak_working_set : 0;
}

}  // namespace

extern "C" void app_entry() {
  quillet::start_runtime();
  const uint64_t before = peak_working_set();
  for (int i = 0; i < 2; ++i) {
    QlObject* clone = RuntimeCloneMenu(QL_STR("Member"));
    trace_number(QL_STR("clone index "), menuItemIndexGetter(clone, 0));
    RuntimeUnlockObject(clone);
  }
  const uint64_t after = peak_working_set();
  if (before == 0 || after == 0) {
    lineTrace(QL_STR("no memory counters"));
  } else {
    trace_number(QL_STR("peak working set grew by MiB "), static_cast<int32_t>((after - before) >> 20));
  }
  RuntimeRun();
}
