// The built-in classes as compiled code and the runtime use them: found by name in any letter case, their
// superclass chains answering type tests, and instances with room for the layouts code writes into them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "containers/variant.h"
#include "files/folder_item.h"
#include "files/stream_objects.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/layouts.h"
#include "unit/runtime_classes.h"
#include "values/string.h"

namespace ql::testing {
namespace {

std::string with_case(std::string text, int (*change)(int)) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [&](char c) { return static_cast<char>(change(c)); });
  return text;
}

const ClassObject* named(const char* name) {
  const ClassObject* cls = builtin_class(name);
  EXPECT_NE(cls, nullptr) << name;
  return cls;
}

TEST(BuiltinClasses, EveryClassIsFoundByItsNameInAnyCase) {
  define_runtime_classes();
  const ClassObject* application = builtin_class("Application");
  define_runtime_classes();  // a second definition keeps the same class objects
  EXPECT_EQ(builtin_class("Application"), application);

  size_t registered = 0;
  for (const NamedTable::Entry* e = class_registry().first(); e; e = e->order_next, ++registered) {
    const std::string name = string_cview(e->name);
    const auto* cls = static_cast<const ClassObject*>(e->value);
    EXPECT_EQ(cls->marker, kClassMarker) << name;
    EXPECT_EQ(class_name(cls), name);
    EXPECT_EQ(builtin_class(with_case(name, ::toupper)), cls) << name;
    EXPECT_EQ(builtin_class(with_case(name, ::tolower)), cls) << name;
  }
  EXPECT_EQ(registered, static_cast<size_t>(class_registry().size()));
  // The classes the lessons application references by name, and those the runtime raises.
  for (const char* name :
       {"Application", "RuntimeException", "Applet", "Listbox", "EditField", "PopupMenu", "Canvas",
        "PushButton", "MenuItem", "QuitMenuItem", "NilObjectException", "IllegalCastException",
        "typeMismatchException", "OutOfBoundsException", "EndException", "FolderItem", "TextInputStream",
        "TextOutputStream", "BinaryStream"}) {
    named(name);
  }
  EXPECT_EQ(builtin_class("NoSuchClass"), nullptr);
  EXPECT_EQ(builtin_class(""), nullptr);
  EXPECT_EQ(std::string(string_cview(application->internal_name)), "QLApplication");
}

TEST(BuiltinClasses, SuperclassChainsAnswerTypeTests) {
  define_runtime_classes();
  const ClassObject* runtime_exception = named("RuntimeException");
  for (const char* name : {"NilObjectException", "IllegalCastException", "stackOverflowException",
                           "typeMismatchException", "OutOfBoundsException", "EndException"}) {
    QlObject* exception = new_object(const_cast<ClassObject*>(named(name)));
    EXPECT_TRUE(object_isa(exception, runtime_exception)) << name;
    EXPECT_FALSE(object_isa(exception, named("Window"))) << name;
    EXPECT_EQ(nearest_class_name(class_of(exception)), name);
    release_object(exception);
  }
  struct Relation {
    const char* cls;
    const char* ancestor;
    bool is;
  };
  for (const Relation& r :
       {Relation{"Applet", "Window", true}, Relation{"Dialog", "Window", true},
        Relation{"Canvas", "RectControl", true}, Relation{"Canvas", "Control", true},
        Relation{"Listbox", "Control", true}, Relation{"EditField", "RectControl", true},
        Relation{"PushButton", "RectControl", true}, Relation{"QuitMenuItem", "MenuItem", true},
        Relation{"Window", "Control", false}, Relation{"MenuItem", "QuitMenuItem", false},
        Relation{"Control", "Canvas", false}, Relation{"Applet", "Dialog", false},
        Relation{"RuntimeException", "NilObjectException", false}}) {
    EXPECT_EQ(class_isa(named(r.cls), named(r.ancestor)), r.is) << r.cls << " / " << r.ancestor;
  }
  // Every chain ends, and no class is its own ancestor.
  for (const NamedTable::Entry* e = class_registry().first(); e; e = e->order_next) {
    const auto* cls = static_cast<const ClassObject*>(e->value);
    int depth = 0;
    for (const ClassObject* c = cls->superclass; c && depth < 64; c = c->superclass, ++depth) {
      EXPECT_NE(c, cls) << string_cview(e->name);
    }
    EXPECT_LT(depth, 64) << string_cview(e->name);
  }
}

TEST(BuiltinClasses, InstancesHoldTheLayoutsCodeWritesIntoThem) {
  define_runtime_classes();
  // The runtime's own records and the SDK's layouts. An instance is exactly its layout, since a compiled
  // subclass puts its own fields right behind it.
  struct Layout {
    const char* cls;
    size_t bytes;
  };
  const Layout layouts[] = {
      {"Object", sizeof(ObjectBase)},
      {"Application", sizeof(QlApplicationBase)},
      {"Window", sizeof(QlWindowBase)},
      {"Applet", sizeof(QlWindowBase)},
      {"Dialog", sizeof(QlWindowBase)},
      {"RectControl", sizeof(QlControlBase)},
      {"Canvas", sizeof(QlCanvasBase)},
      {"PushButton", sizeof(QlPushButtonBase)},
      {"PopupMenu", sizeof(QlPopupMenuBase)},
      {"EditField", sizeof(QlEditFieldBase)},
      {"Listbox", sizeof(QlListboxBase)},
      {"TabPanel", sizeof(QlTabPanelBase)},
      {"MenuItem", sizeof(QlMenuItemBase)},
      {"QuitMenuItem", sizeof(QlMenuItemBase)},
      {"Picture", sizeof(QlPictureBase)},
      {"Sound", sizeof(QlSoundBase)},
      {"Timer", sizeof(QlTimerBase)},
      {"RuntimeException", sizeof(ExceptionObject)},
      {"NilObjectException", sizeof(ExceptionObject)},
      {"FolderItem", sizeof(FolderItemObject)},
      {"TextInputStream", sizeof(TextInputStreamObject)},
      {"TextOutputStream", sizeof(TextOutputStreamObject)},
      {"BinaryStream", sizeof(BinaryStreamObject)},
      {"Variant", sizeof(VariantInstance)},
  };
  for (const Layout& layout : layouts) {
    const ClassObject* cls = named(layout.cls);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(static_cast<size_t>(cls->instance_size), layout.bytes) << layout.cls;
    EXPECT_GE(static_cast<size_t>(instance_bytes(cls)), layout.bytes) << layout.cls;
    if (cls->constructor) continue;  // one that needs the window layer
    // The instance really has the room: under the host's sanitizers a read past it would be reported.
    QlObject* object = new_object(const_cast<ClassObject*>(cls));
    const volatile uint8_t* last = reinterpret_cast<const uint8_t*>(object) + layout.bytes - 1;
    if (layout.bytes > sizeof(ObjectBase)) {
      EXPECT_EQ(*last, 0) << layout.cls;  // fields start zeroed
    }
    release_object(object);
  }
  // A subclass holds its superclass's fields.
  for (const NamedTable::Entry* e = class_registry().first(); e; e = e->order_next) {
    const auto* cls = static_cast<const ClassObject*>(e->value);
    EXPECT_GE(cls->instance_size, static_cast<int32_t>(sizeof(ObjectBase))) << string_cview(e->name);
    if (cls->superclass) {
      EXPECT_GE(cls->instance_size, cls->superclass->instance_size) << string_cview(e->name);
    }
  }
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
