// The application object: created at the end of start-up, and the events fired on it.
#include "app/application.h"
#include "objects/class_object.h"
#include "objects/objects.h"
#include "values/fatal.h"

namespace ql {

namespace {

struct ApplicationState {
  QlObject* application = nullptr;
  bool quit = false;
};

ApplicationState& state() {
  static ApplicationState current;
  return current;
}

}  // namespace

void create_application_object(ClassObject* application_class) {
  ClassObject* cls = application_class ? application_class : builtin_class("Application");
  if (!cls) {
    report_assertion(kConsistencyCheck, "RuntimeMain", 6);
    return;
  }
  release_object(state().application);
  state().application = new_object(cls);
}

QlObject* application_object() { return state().application; }

void fire_application_event(const char* name) {
  QlObject* application = state().application;
  if (!application) return;
  // The events the runtime fires are Application's own, whatever a subclass declares under the same names.
  const EventDefinition* event = find_declared_event(builtin_class("Application"), name);
  if (!event) {
    report_assertion(kConsistencyCheck, "RuntimeMain", 5);
    return;
  }
  // The handler may drop the last reference compiled code holds; the object must outlive the call.
  retain_object(application);
  fire_event(application, *event);
  release_object(application);
}

void set_quit_flag() { state().quit = true; }
bool quit_flag() { return state().quit; }

}  // namespace ql
