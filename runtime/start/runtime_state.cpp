// The process-wide state that start-up owns.
#include "start/runtime_state.h"

namespace ql {

RuntimeState& runtime_state() {
  static RuntimeState state;
  return state;
}

}  // namespace ql
