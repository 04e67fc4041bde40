// The application object: created at the end of start-up, and the events fired on it.
#include "objects/class_object.h"
#include "objects/objects.h"
#include "start/runtime_state.h"
#include "start/startup_steps.h"
#include "values/fatal.h"

namespace ql {

void create_application_object() {
  RuntimeState& state = runtime_state();
  ClassObject* cls = class_at_index(state.application_class_index);
  if (!cls) cls = builtin_class("Application");
  if (!cls) {
    report_assertion(131, 4, "RuntimeMain", 6);
    return;
  }
  release_object(state.application);
  state.application = new_object(cls);
}

void fire_application_event(const char* name) {
  QlObject* application = runtime_state().application;
  if (!application) return;
  // The events the runtime fires are Application's own, whatever a subclass declares under the same names.
  const EventDefinition* event = find_declared_event(builtin_class("Application"), name);
  if (!event) {
    report_assertion(131, 4, "RuntimeMain", 5);
    return;
  }
  // The handler may drop the last reference compiled code holds; the object must outlive the call.
  retain_object(application);
  fire_event(application, *event);
  release_object(application);
}

}  // namespace ql
