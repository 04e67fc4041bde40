// Registering plug-in classes and controls through the host's entry points, as a plug-in's entry does:
// version rules, instance layouts, direct and routine accessors, declarations, events, global and shared
// methods, interfaces and instances.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "plugins/plugin_classes.h"
#include "plugins/plugin_host.h"
#include "quillet/plugins.h"
#include "unit/runtime_classes.h"
#include "values/string.h"

namespace ql {
namespace {

template <typename T>
T& field(QlObject* object, int32_t offset) {
  return *reinterpret_cast<T*>(reinterpret_cast<uint8_t*>(object) + offset);
}

// What the test's plug-in entry does, set by each test before it runs the entry.
void (*registering)() = nullptr;
void test_main(QlPluginResolver) { registering(); }
void as_plugin(void (*body)()) {
  registering = body;
  run_plugin_main(test_main, "test.dll");
}

class PluginRegistration : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::define_runtime_classes(); }
};

int32_t count_of(QlObject* object) { return object_header(object)->count; }

using IntSetter = void (*)(QlObject*, intptr_t, intptr_t);
using PointerGetter = void* (*)(QlObject*, intptr_t);
void set(QlObject* object, const char* property, intptr_t value) {
  const PropertyRecord* p = find_property(class_of(object), property);
  ASSERT_NE(p, nullptr) << property;
  reinterpret_cast<IntSetter>(p->setter)(object, p->parameter, value);
}
intptr_t get(QlObject* object, const char* property) {
  const PropertyRecord* p = find_property(class_of(object), property);
  return reinterpret_cast<intptr_t>(reinterpret_cast<PointerGetter>(p->getter)(object, p->parameter));
}

// A control with every kind of direct property, one with plug-in routines, and one whose type is unknown.
struct Direct {
  QlString text;
  QlObject* picture;
  int32_t number;
  uint8_t flag;
  double ratio;
};
std::vector<std::string> calls;
intptr_t seen_parameter = -1;
intptr_t routine_getter(QlObject*, intptr_t parameter) {
  seen_parameter = parameter;
  return 77;
}
void routine_setter(QlObject* object, intptr_t parameter, intptr_t value) {
  seen_parameter = parameter;
  field<int32_t>(object, QL_PLUGIN_CONTROL_DATA_OFFSET + offsetof(Direct, number)) =
      static_cast<int32_t>(value) * 2;
}
void created(QlObject*) { calls.push_back("created"); }
// The plug-in owns its data: what the host stored there directly it gives back itself.
void destroying(QlObject* object) {
  calls.push_back("destroying");
  string_release(field<QlString>(object, QL_PLUGIN_CONTROL_DATA_OFFSET + offsetof(Direct, text)));
  release_object(field<QlObject*>(object, QL_PLUGIN_CONTROL_DATA_OFFSET + offsetof(Direct, picture)));
}
const QlPluginBehaviour kBehaviour = {created, destroying};
const QlPluginPropertyRecord kDirectProperties[] = {
    {"", "Text", "String", 0, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT, offsetof(Direct, text), 0, 0, nullptr},
    {"", "Image", "Picture", 0, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT, offsetof(Direct, picture), 0, 0, nullptr},
    {"", "Number", "integer", 1, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT, offsetof(Direct, number), 0, 0, nullptr},
    {"", "Flag", "Boolean", 0, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT, offsetof(Direct, flag), 0, 0, nullptr},
    {"", "Ratio", "Double", 0, QL_PLUGIN_DIRECT, nullptr, offsetof(Direct, ratio), 0, 0, nullptr},
    {"", "Doubled", "Integer", 0, reinterpret_cast<QlPluginFunction>(routine_getter),
     reinterpret_cast<QlPluginFunction>(routine_setter), 40, 0, 0, nullptr},
    {"", "Strange", "Long", 0, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT, 0, 0, 0, nullptr},
    {"", "Outside", "Integer", 0, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT, sizeof(Direct) - 2, 0, 0, nullptr},
    {"", "Nowhere", "Integer", 0, nullptr, nullptr, 0, 0, 0, nullptr},
};
QlPluginControlRecord direct_control = {4,
                                        "DirectControl",
                                        sizeof(Direct),
                                        0,
                                        1,
                                        2,
                                        30,
                                        40,
                                        kDirectProperties,
                                        9,
                                        nullptr,
                                        0,
                                        nullptr,
                                        0,
                                        &kBehaviour,
                                        0};

TEST_F(PluginRegistration, ControlClassesLayTheirDataBehindRectControlAndTheHostWord) {
  as_plugin([] {
    RegisterPluginVersion(4);
    PluginRegisterControl(&direct_control);
  });
  EXPECT_EQ(direct_control.data_offset, static_cast<int32_t>(sizeof(QlControlBase) + sizeof(void*)));
  ClassObject* cls = class_by_name("directcontrol");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls, plugin_class("DirectControl"));
  EXPECT_EQ(cls->superclass, builtin_class("RectControl"));
  EXPECT_EQ(cls->instance_size, direct_control.data_offset + static_cast<int32_t>(sizeof(Direct)));
  ASSERT_EQ(cls->hooks.size(), 1u);
  EXPECT_EQ(cls->hooks[0].name, "CreatePane");
  for (const char* skipped : {"Strange", "Outside", "Nowhere"})
    EXPECT_EQ(find_property(cls, skipped), nullptr) << skipped;
  EXPECT_EQ(find_property(cls, "Ratio")->setter, 0u);  // read-only

  calls.clear();
  QlObject* control = new_object(cls);
  ASSERT_EQ(calls, std::vector<std::string>{"created"});
  EXPECT_EQ(plugin_control_of(control)->record, &direct_control);
  const int32_t data = direct_control.data_offset;

  // Strings and objects move reference counts; the getter hands out a reference of its own.
  QlString text = string_from_cstr("hello");
  set(control, "Text", reinterpret_cast<intptr_t>(text));
  EXPECT_EQ(text->count, 2);
  EXPECT_EQ(field<QlString>(control, data + offsetof(Direct, text)), text);
  auto got = reinterpret_cast<QlString>(get(control, "Text"));
  EXPECT_EQ(got, text);
  EXPECT_EQ(text->count, 3);
  string_release(got);
  QlString other = string_from_cstr("other");
  set(control, "Text", reinterpret_cast<intptr_t>(other));
  EXPECT_EQ(text->count, 1);
  EXPECT_EQ(other->count, 2);

  QlObject* picture = new_object(builtin_class("Picture"));
  set(control, "Image", reinterpret_cast<intptr_t>(picture));
  EXPECT_EQ(count_of(picture), 2);
  auto image = reinterpret_cast<QlObject*>(get(control, "Image"));
  EXPECT_EQ(image, picture);
  EXPECT_EQ(count_of(picture), 3);
  release_object(image);
  set(control, "Image", reinterpret_cast<intptr_t>(picture));  // the same value keeps it alive
  EXPECT_EQ(count_of(picture), 2);
  set(control, "Image", 0);
  EXPECT_EQ(count_of(picture), 1);
  set(control, "Image", reinterpret_cast<intptr_t>(picture));

  // Booleans are one byte; integers four; a double all eight of its bytes.
  field<uint8_t>(control, data + offsetof(Direct, flag) + 1) = 0xAB;
  set(control, "Flag", 1);
  EXPECT_EQ(field<uint8_t>(control, data + offsetof(Direct, flag)), 1);
  EXPECT_EQ(field<uint8_t>(control, data + offsetof(Direct, flag) + 1), 0xAB);
  EXPECT_EQ(reinterpret_cast<bool (*)(QlObject*, intptr_t)>(find_property(cls, "Flag")->getter)(
                control, find_property(cls, "Flag")->parameter),
            true);
  set(control, "Number", -5);
  EXPECT_EQ(field<int32_t>(control, data + offsetof(Direct, number)), -5);
  EXPECT_EQ(static_cast<int32_t>(get(control, "Number")), -5);
  field<double>(control, data + offsetof(Direct, ratio)) = 0.125;
  const PropertyRecord* ratio = find_property(cls, "Ratio");
  EXPECT_EQ(reinterpret_cast<double (*)(QlObject*, intptr_t)>(ratio->getter)(control, ratio->parameter),
            0.125);

  // Routines get the record's offset as their parameter.
  set(control, "Doubled", 21);
  EXPECT_EQ(seen_parameter, 40);
  EXPECT_EQ(field<int32_t>(control, data + offsetof(Direct, number)), 42);
  seen_parameter = -1;
  EXPECT_EQ(get(control, "Doubled"), 77);
  EXPECT_EQ(seen_parameter, 40);

  calls.clear();
  release_object(control);
  EXPECT_EQ(calls, std::vector<std::string>{"destroying"});
  EXPECT_EQ(other->count, 1);
  EXPECT_EQ(count_of(picture), 1);
  release_object(picture);
  string_release(text);
  string_release(other);
}

// Class records: only from version 3, completed after every plug-in is loaded, superclasses first.
QlPluginClassRecord early_class = {3, "EarlyClass", nullptr, 8};
QlPluginClassRecord derived_class = {3, "DerivedClass", "BaseClass", 4};
QlPluginClassRecord base_class = {3, "BaseClass", nullptr, 5};
QlPluginClassRecord orphan_class = {3, "OrphanClass", "NoSuchClass", 4};
QlPluginClassRecord duplicate_class = {3, "Picture", nullptr, 4};
QlPluginControlRecord version2_control = {2, "Version2Control"};
QlPluginControlRecord version3_control = {3, "Version3Control", 4};

TEST_F(PluginRegistration, VersionsDecideWhatRegisters) {
  as_plugin([] {  // never registers a version: 1
    PluginRegisterClass(&early_class);
    PluginRegisterClassExtension(&early_class);
    PluginRegisterControl(&version2_control);
  });
  complete_plugin_classes();
  EXPECT_EQ(class_by_name("EarlyClass"), nullptr);
  EXPECT_EQ(class_by_name("Version2Control"), nullptr);
  EXPECT_EQ(early_class.data_offset, 0);

  PluginRegisterClass(&early_class);  // outside any plug-in's entry
  RegisterPluginVersion(3);
  complete_plugin_classes();
  EXPECT_EQ(class_by_name("EarlyClass"), nullptr);

  as_plugin([] {
    RegisterPluginVersion(3);
    PluginRegisterClass(&derived_class);
    PluginRegisterClass(&base_class);
    PluginRegisterClass(&orphan_class);
    PluginRegisterClass(&duplicate_class);
    PluginRegisterControl(&version3_control);
    PluginRegisterClass(&derived_class);  // a name already waiting
  });
  EXPECT_EQ(class_by_name("DerivedClass"), nullptr);     // not before every plug-in is loaded
  EXPECT_NE(class_by_name("Version3Control"), nullptr);  // controls register at once
  complete_plugin_classes();
  ClassObject* base = class_by_name("BaseClass");
  ClassObject* derived = class_by_name("DerivedClass");
  ASSERT_NE(base, nullptr);
  ASSERT_NE(derived, nullptr);
  EXPECT_EQ(derived->superclass, base);
  EXPECT_EQ(base_class.data_offset, static_cast<int32_t>(sizeof(ObjectBase)));
  EXPECT_EQ(base->instance_size, base_class.data_offset + 5);
  // Behind the superclass's fields, pointer-aligned.
  EXPECT_EQ(derived_class.data_offset, static_cast<int32_t>((sizeof(ObjectBase) + 5 + sizeof(void*) - 1) /
                                                            sizeof(void*) * sizeof(void*)));
  EXPECT_EQ(class_by_name("OrphanClass"), nullptr);
  EXPECT_EQ(plugin_class("Picture"), nullptr);
}

// A version-1 control record: converted, its data offset copied back, its methods found by export index.
int32_t old_method(QlObject*) { return 5; }
const QlPluginExport kOldExports[] = {{"m", reinterpret_cast<QlPluginFunction>(old_method), nullptr}, {}};
const QlPluginPropertyRecordV1 kOldProperties[] = {{"", "Level", "Integer", 0, 0}};
const QlPluginMethodRecordV1 kOldMethods[] = {{0, "Level5() As Integer"}, {3, "Gone"}};
QlPluginControlRecordV1 old_control = {1, "OldControl", 4, 0,       0, kOldProperties, 1, kOldMethods,
                                       2, nullptr,      0, nullptr, 0};

TEST_F(PluginRegistration, VersionOneControlsAreConverted) {
  as_plugin([] {
    RegisterPluginExports(kOldExports);
    PluginRegisterControl(&old_control);
  });
  EXPECT_EQ(old_control.data_offset, static_cast<int32_t>(QL_PLUGIN_CONTROL_DATA_OFFSET));
  ClassObject* cls = class_by_name("OldControl");
  ASSERT_NE(cls, nullptr);
  const MethodRecord* method = find_method(cls, "level5");
  ASSERT_NE(method, nullptr);
  EXPECT_EQ(method->code, reinterpret_cast<uintptr_t>(old_method));
  EXPECT_EQ(find_method(cls, "Gone"), nullptr);
  QlObject* control = new_object(cls);
  set(control, "Level", 9);
  EXPECT_EQ(field<int32_t>(control, old_control.data_offset), 9);
  release_object(control);
}

// Declarations: one malformed member is left out alone; events get descriptors; handlers are found on the
// application's subclasses only.
void method_a(QlObject*) {}
const QlPluginMethodRecord kMethods[] = {
    {reinterpret_cast<QlPluginFunction>(method_a), nullptr, "AddRow(text As String)"},
    {reinterpret_cast<QlPluginFunction>(method_a), nullptr, "Broken(text As)"},
    {reinterpret_cast<QlPluginFunction>(method_a), nullptr, "Typed(x As NoSuchType)"},
    {nullptr, nullptr, "NoRoutine"},
    {reinterpret_cast<QlPluginFunction>(method_a), nullptr, "List(row As Integer) As String"},
};
QlPluginEventRecord events[] = {
    {"Action", nullptr}, {"MouseDown(X As Integer, Y As Integer) As Boolean", nullptr}, {"Bad(", nullptr}};
QlPluginControlRecord event_control = {4,  "EventControl", 0, 0,        0, 0,      10,
                                       10, nullptr,        0, kMethods, 5, events, 3};
bool handler(QlObject*, int32_t, int32_t) { return true; }

TEST_F(PluginRegistration, MembersAndEventDescriptors) {
  as_plugin([] {
    RegisterPluginVersion(4);
    PluginRegisterControl(&event_control);
  });
  ClassObject* cls = class_by_name("EventControl");
  ASSERT_NE(cls, nullptr);
  EXPECT_NE(find_method(cls, "AddRow"), nullptr);
  EXPECT_NE(find_method(cls, "List"), nullptr);
  EXPECT_EQ(find_method(cls, "Broken"), nullptr);
  EXPECT_EQ(find_method(cls, "Typed"), nullptr);
  EXPECT_EQ(find_method(cls, "NoRoutine"), nullptr);
  ASSERT_NE(events[0].descriptor, nullptr);
  ASSERT_NE(events[1].descriptor, nullptr);
  EXPECT_EQ(events[2].descriptor, nullptr);
  auto* mouse_down = static_cast<const EventDefinition*>(events[1].descriptor);
  EXPECT_EQ(mouse_down->name, "MouseDown");
  EXPECT_EQ(mouse_down->parameters, "X As Integer, Y As Integer");
  EXPECT_EQ(mouse_down->result, "Boolean");
  EXPECT_EQ(find_declared_event(cls, "action"), events[0].descriptor);

  // The application's subclass implements MouseDown only.
  ClassObject subclass;
  subclass.superclass = cls;
  subclass.instance_size = cls->instance_size;
  subclass.hooks.push_back({"MouseDown", 0, reinterpret_cast<uintptr_t>(handler)});
  QlObject* plain = new_object(cls);
  QlObject* derived = new_object(&subclass);
  EXPECT_EQ(GetEventInstance(derived, events[1].descriptor), reinterpret_cast<void*>(handler));
  EXPECT_EQ(GetEventInstance(derived, events[0].descriptor), nullptr);
  EXPECT_EQ(GetEventInstance(plain, events[1].descriptor), nullptr);
  EXPECT_EQ(GetEventInstance(nullptr, events[1].descriptor), nullptr);
  EXPECT_EQ(GetEventInstance(derived, nullptr), nullptr);
  EXPECT_EQ(GetEventInstance(derived, &events[1]), nullptr);  // no descriptor the host made
  release_object(plain);
  release_object(derived);
}

// Global methods by version, and the two addresses deferred imports resolve them to.
void global_first() {}
void global_second() {}
void global_old() {}
const QlPluginMethodRecord kGlobal = {reinterpret_cast<QlPluginFunction>(global_first),
                                      reinterpret_cast<QlPluginFunction>(global_second),
                                      "GlobalTwice(n As Integer)"};
const QlPluginExport kGlobalExports[] = {{"", reinterpret_cast<QlPluginFunction>(global_old), nullptr}, {}};
const QlPluginMethodRecordV1 kGlobalOld = {0, "GlobalOld() As String"};
const QlPluginMethodRecord kGlobalIgnored = {reinterpret_cast<QlPluginFunction>(global_first), nullptr,
                                             "GlobalV2"};

TEST_F(PluginRegistration, GlobalMethodsResolveDeferredImports) {
  as_plugin([] {
    RegisterPluginVersion(4);
    PluginRegisterMethod(&kGlobal);
    PluginRegisterMethod(nullptr);
  });
  as_plugin([] {
    RegisterPluginExports(kGlobalExports);
    PluginRegisterMethod(&kGlobalOld);
  });
  as_plugin([] {
    RegisterPluginVersion(2);
    PluginRegisterMethod(&kGlobalIgnored);
  });
  EXPECT_EQ(lookup_deferred_member("Mglobaltwice"), reinterpret_cast<uintptr_t>(global_first));
  EXPECT_EQ(lookup_deferred_member("WGlobalTwice"), reinterpret_cast<uintptr_t>(global_second));
  EXPECT_EQ(lookup_deferred_member("MGlobalOld"), reinterpret_cast<uintptr_t>(global_old));
  EXPECT_EQ(lookup_deferred_member("WGlobalOld"), 0u);
  EXPECT_EQ(lookup_deferred_member("MGlobalV2"), 0u);
}

// Shared methods come from the exports table; interfaces attach when they exist and are implemented.
void perform(QlObject*) {}
void shared_make() {}
const QlPluginExport kSharedExports[] = {{"", reinterpret_cast<QlPluginFunction>(shared_make), nullptr}, {}};
const QlPluginSharedMethodRecord kShared[] = {{"Make", 0}, {"Beyond", 1}, {"", 0}};
const QlPluginMethodRecord kReceiverMethods[] = {
    {reinterpret_cast<QlPluginFunction>(perform), nullptr, "PerformAction"}};
QlPluginClassRecord receiver_class = {
    3, "TestReceiver",   nullptr, 0,
    0, nullptr,          nullptr, nullptr,
    0, kReceiverMethods, 1,       nullptr,
    0, kShared,          3,       " actionNotificationReceiver ,NoSuchInterface,, Picture,bindingInterface"};
int constructed = 0;
void construct(QlObject*) { ++constructed; }
void destruct(QlObject*) { --constructed; }
QlPluginClassRecord counted_class = {3, "CountedClass", nullptr, 4, 0, construct, destruct};

TEST_F(PluginRegistration, SharedMethodsInterfacesAndInstances) {
  as_plugin([] {
    RegisterPluginVersion(3);
    RegisterPluginExports(kSharedExports);
    PluginRegisterClass(&receiver_class);
    PluginRegisterClass(&counted_class);
  });
  complete_plugin_classes();
  ClassObject* cls = class_by_name("TestReceiver");
  ASSERT_NE(cls, nullptr);
  ASSERT_NE(find_method(cls, "Make"), nullptr);
  EXPECT_EQ(find_method(cls, "Make")->code, reinterpret_cast<uintptr_t>(shared_make));
  EXPECT_EQ(find_method(cls, "Beyond"), nullptr);
  // Picture is no interface, and bindingInterface's bind is not implemented.
  ASSERT_EQ(cls->interfaces.size(), 1u);
  EXPECT_EQ(cls->interfaces[0].interface_class, builtin_class("actionNotificationReceiver"));

  QlObject* receiver = PluginNewInstance("testreceiver");
  ASSERT_NE(receiver, nullptr);
  EXPECT_EQ(count_of(receiver), 1);
  EXPECT_EQ(GetInterfaceRoutine(receiver, "ActionNotificationReceiver", "PerformAction"),
            reinterpret_cast<void*>(perform));
  EXPECT_EQ(GetInterfaceRoutine(receiver, "actionNotificationReceiver", "Missing"), nullptr);
  EXPECT_EQ(GetInterfaceRoutine(receiver, "actionSource", "PerformAction"), nullptr);
  EXPECT_EQ(GetInterfaceRoutine(nullptr, "actionNotificationReceiver", "PerformAction"), nullptr);
  release_object(receiver);

  EXPECT_EQ(PluginNewInstance("NoSuchClass"), nullptr);
  EXPECT_EQ(PluginNewInstance(nullptr), nullptr);
  QlObject* counted = PluginNewInstance("CountedClass");
  EXPECT_EQ(constructed, 1);
  EXPECT_EQ(counted_class.data_offset, static_cast<int32_t>(sizeof(ObjectBase)));
  release_object(counted);
  EXPECT_EQ(constructed, 0);
}

TEST_F(PluginRegistration, ValuesAndDefaults) {
  QlString font = PluginDefaultControlFont();
  QlString caption = PluginDefaultControlCaption();
  EXPECT_STREQ(string_cview(font), "System");
  EXPECT_STREQ(string_cview(caption), "Untitled");
  EXPECT_EQ(PluginDefaultControlFontSize(), 12);
  QlString built = QUILBuildString("ab\0c", 4);
  EXPECT_EQ(string_length(built), 4);
  QlString same = PluginInterpretConstantValue(built);
  EXPECT_EQ(same, built);
  EXPECT_EQ(built->count, 2);
  QUILUnlockString(same);
  EXPECT_EQ(QUILBuildString(nullptr, 3), nullptr);
  EXPECT_DOUBLE_EQ(QUILGetQLVersion(), 2.1);
  EXPECT_TRUE(QUILinRuntime());
  for (QlString s : {font, caption, built}) string_release(s);
}

}  // namespace
}  // namespace ql
