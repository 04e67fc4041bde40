// The Application class: its layout and the events it declares.
#include "app/app_steps.h"
#include "app/application.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/menus.h"

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

void define_application_class() {
  ClassObject* application = define_builtin_class("Application", nullptr, sizeof(ApplicationObject));
  application->destructor = destroy_application;
  application->events.clear();
  for (const EventDefinition& event : kApplicationEvents) application->events.push_back(&event);
  application->properties.clear();
  application->properties.push_back({"MouseCursor", builtin_class("MouseCursor"),
                                     reinterpret_cast<uintptr_t>(appMouseCursorGetter),
                                     reinterpret_cast<uintptr_t>(appMouseCursorSetter), 0, 0});
  application->properties.push_back({"ResourceFork", builtin_class("ResourceFork"),
                                     reinterpret_cast<uintptr_t>(appResourceForkGetter), 0, 0, 0});
  application->methods.clear();
  application->methods.push_back({"NewDocument", reinterpret_cast<uintptr_t>(ApplicationNewDocument), 0});
}

}  // namespace ql

namespace ql {
QlObject* application_mouse_cursor() {
  QlObject* application = application_object();
  return application ? reinterpret_cast<ApplicationObject*>(application)->mouse_cursor : nullptr;
}
}  // namespace ql

QL_API QlObject* appMouseCursorGetter(QlObject* application, intptr_t) {
  if (!application) return nullptr;
  QlObject* cursor = reinterpret_cast<ql::ApplicationObject*>(application)->mouse_cursor;
  ql::retain_object(cursor);
  return cursor;
}

QL_API void appMouseCursorSetter(QlObject* application, intptr_t, QlObject* cursor) {
  if (!application) return;
  QlObject*& field = reinterpret_cast<ql::ApplicationObject*>(application)->mouse_cursor;
  ql::retain_object(cursor);
  ql::release_object(field);
  field = cursor;
}

// Resource forks do not exist on this platform: a new empty object of the class on every read.
QL_API QlObject* appResourceForkGetter(QlObject*, intptr_t) {
  ql::ClassObject* cls = ql::builtin_class("ResourceFork");
  return cls ? ql::new_object(cls) : nullptr;
}

QL_API int32_t ApplicationNewDocument(QlObject* application) {
  if (!application) return 0;
  const ql::EventDefinition* event = ql::find_declared_event(ql::builtin_class("Application"), "NewDocument");
  return event ? static_cast<int32_t>(ql::fire_event(application, *event)) : 0;
}

QL_API int32_t ApplicationOpenDocument(QlObject* application, QlObject* folder_item) {
  if (!application) return 0;
  const ql::EventDefinition* event =
      ql::find_declared_event(ql::builtin_class("Application"), "OpenDocument");
  return event ? static_cast<int32_t>(ql::fire_event(application, *event, folder_item)) : 0;
}
