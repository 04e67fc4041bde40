// Loquat's entry routine: starts the runtime, makes the lesson window and runs the event loop.
#include "cloze.h"

using namespace loquat;

extern "C" void loquat_entry() {
  quillet::start_runtime();
  // Kept while the loop runs; the window has usually been made by the application's Open already.
  QlObject* window = cloze_instance();
  RuntimeRun();
  RuntimeUnlockObject(window);
}
