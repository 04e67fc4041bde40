#include <gtest/gtest.h>

#include <set>

#include "files/stream_objects.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object_steps.h"
#include "unit/runtime_classes.h"
#include "objects/objects.h"
#include "values/string.h"

namespace ql::testing {
namespace {

constexpr int32_t kWordScale = sizeof(void*) / 4;

TEST(BuiltinClasses, RegisteredByNameWithTheirSuperclassesAndSizes) {
  define_runtime_classes();
  define_runtime_classes();  // a second definition changes nothing
  EXPECT_EQ(class_registry().size(), 104);

  struct Expected {
    const char* name;
    const char* superclass;
    int32_t size;
  };
  const Expected expected[] = {
      {"Object", nullptr, sizeof(ObjectBase)},
      {"application", nullptr, sizeof(QlApplicationBase)},
      {"Applet", "Window", 112 * kWordScale},
      {"Dialog", "Window", 112 * kWordScale},
      {"Canvas", "RectControl", 100 * kWordScale},
      {"RectControl", "Control", 88 * kWordScale},
      {"Listbox", "RectControl", 524 * kWordScale},
      {"QuitMenuItem", "MenuItem", 72 * kWordScale},
      {"TextInputStream", nullptr, sizeof(TextInputStreamObject)},
      {"Sys$Keyboard", nullptr, sizeof(ObjectBase)},
      {"RuntimeException", nullptr, sizeof(ExceptionObject)},
      {"NilObjectException", "RuntimeException", sizeof(ExceptionObject)},
      {"IllegalCastException", "RuntimeException", sizeof(ExceptionObject)},
      {"stackOverflowException", "RuntimeException", sizeof(ExceptionObject)},
      {"typeMismatchException", "RuntimeException", sizeof(ExceptionObject)},
      {"OutOfBoundsException", "RuntimeException", sizeof(ExceptionObject)},
      {"EndException", "RuntimeException", sizeof(ExceptionObject)},
  };
  for (const Expected& e : expected) {
    const ClassObject* cls = builtin_class(e.name);
    ASSERT_NE(cls, nullptr) << e.name;
    EXPECT_EQ(cls->marker, kClassMarker);
    EXPECT_EQ(cls->instance_size, e.size) << e.name;
    EXPECT_EQ(class_name(cls->superclass), e.superclass ? e.superclass : "") << e.name;
  }
  EXPECT_EQ(class_name(builtin_class("RUNTIMEEXCEPTION")), "RuntimeException");
  EXPECT_EQ(std::string(string_cview(builtin_class("Application")->internal_name)), "QLApplication");
  EXPECT_EQ(builtin_class("NoSuchClass"), nullptr);
  EXPECT_TRUE(builtin_class("bindingInterface")->is_interface);
}

TEST(BuiltinClasses, ApplicationDeclaresItsEventsInOrder) {
  define_runtime_classes();
  const ClassObject* application = builtin_class("Application");
  std::vector<std::string> names;
  for (const EventDefinition* event : application->events) names.push_back(event->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Open", "Close", "EnableMenuItems", "NewDocument",
                                             "OpenDocument", "HandleAppleEvent", "Activate", "Deactivate"}));
  const EventDefinition* open_document = find_declared_event(application, "opendocument");
  ASSERT_NE(open_document, nullptr);
  EXPECT_EQ(open_document->parameters, "item As FolderItem");
  EXPECT_EQ(find_declared_event(application, "HandleAppleEvent")->result, "Boolean");
}

TEST(BuiltinClasses, EveryClassIsOnTheClassListOnce) {
  define_runtime_classes();
  std::set<const ClassObject*> listed;
  for (const ClassObject* cls = first_class(); cls && listed.size() <= 10000; cls = cls->next_class) {
    EXPECT_TRUE(listed.insert(cls).second) << class_name(cls);
  }
  for (const NamedTable::Entry* e = class_registry().first(); e; e = e->order_next) {
    EXPECT_EQ(listed.count(static_cast<const ClassObject*>(e->value)), 1u) << string_cview(e->name);
  }
}

}  // namespace
}  // namespace ql::testing
