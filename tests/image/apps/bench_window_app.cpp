// A window of 60 canvases built from its description; its first paint is written to the trace, which the
// start-up benchmark waits for.
#include "quillet.h"

extern "C" const uint8_t bench_window[];

namespace {
QlObject* g_window = nullptr;
bool painted = false;
}  // namespace

extern "C" {

extern const uint32_t bench_window_size = sizeof(QlWindowBase);

void bench_window_paint(QlObject*, QlObject*) {
  if (painted) return;
  painted = true;
  lineTrace(QL_STR("painted"));
}

void app_entry() {
  quillet::start_runtime();
  QlObject* window = RuntimeCreateWindow(bench_window, &g_window);
  RuntimeRun();
  RuntimeUnlockObject(window);
}

}  // extern "C"
