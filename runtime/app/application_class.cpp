// The Application class: its layout and the events it declares.
#include "app/app_steps.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "objects/objects.h"

namespace ql {

namespace {

struct ApplicationObject {
  ObjectBase base;
  QlObject* mouse_cursor;  // the MouseCursor property; holds a reference
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ApplicationObject) == 28, "Application instances are 28 bytes on 32-bit targets");
#endif
static_assert(sizeof(ApplicationObject) == sizeof(QlApplicationBase), "the SDK's Application layout matches");

// In declaration order.
const EventDefinition kApplicationEvents[] = {
    {"Open", "", ""},
    {"Close", "", ""},
    {"EnableMenuItems", "", ""},
    {"NewDocument", "", ""},
    {"OpenDocument", "item As FolderItem", ""},
    {"HandleAppleEvent", "event As AppleEvent, eventClass As String, eventID As String", "Boolean"},
    {"Activate", "", ""},
    {"Deactivate", "", ""},
};

void destroy_application(QlObject* object, ClassObject*) {
  auto* application = reinterpret_cast<ApplicationObject*>(object);
  release_object(application->mouse_cursor);
  application->mouse_cursor = nullptr;
}

}  // namespace

void define_app_classes() {
  ClassObject* application = define_builtin_class("Application", nullptr, sizeof(ApplicationObject));
  application->destructor = destroy_application;
  application->events.clear();
  for (const EventDefinition& event : kApplicationEvents) application->events.push_back(&event);
}

}  // namespace ql
