// Which handler runs for an event along a class chain, firing it, and hooks found by key.
#include <gtest/gtest.h>

#include "object_test_support.h"
#include "objects/objects.h"
#include "quillet/objects.h"

namespace ql::testing {
namespace {

constexpr uintptr_t kParentCode = 0x1000, kChildCode = 0x2000, kGrandchildCode = 0x3000;

// Objects of the class, released when the test ends.
class Instance {
 public:
  explicit Instance(ClassObject* cls) : object_(new_object(cls)) {}
  ~Instance() { release_object(object_); }
  QlObject* get() const { return object_; }

 private:
  QlObject* object_;
};

TEST(EventLookup, TheHandlerNearestToTheDeclaringClassWins) {
  EventDefinition action{"Action", "", "Boolean"};
  auto button = make_class("PushButton");
  button->events.push_back(&action);
  auto parent = make_class("MyButton", button.get());
  auto control = make_class("", parent.get());  // the anonymous class of one control

  Instance plain(control.get());
  EXPECT_EQ(find_event_handler(plain.get(), action), 0u);

  control->hooks.push_back({"action", 0, kChildCode});
  EXPECT_EQ(find_event_handler(plain.get(), action), kChildCode);

  parent->hooks.push_back({"Action", 0, kParentCode});
  EXPECT_EQ(find_event_handler(plain.get(), action), kParentCode);

  // Of two hooks of that name in one class, the later in the list wins.
  control->hooks.clear();
  parent->hooks.push_back({"ACTION", 0, kChildCode});
  EXPECT_EQ(find_event_handler(plain.get(), action), kChildCode);

  // The declaring class's own hooks are not handlers of its own event.
  button->hooks.push_back({"Action", 0, kGrandchildCode});
  EXPECT_EQ(find_event_handler(plain.get(), action), kChildCode);
  Instance bare(button.get());
  EXPECT_EQ(find_event_handler(bare.get(), action), 0u);

  // An event that no class of the chain declares has no handler, whatever hooks match its name.
  EventDefinition foreign{"Action", "", ""};
  EXPECT_EQ(find_event_handler(plain.get(), foreign), 0u);
}

TEST(EventLookup, ARedeclaredEventHidesTheHooksBelowIt) {
  EventDefinition original{"Action", "", ""};
  EventDefinition redeclared{"action", "", "Boolean"};
  auto base = make_class("Base");
  base->events.push_back(&original);
  auto middle = make_class("Middle", base.get());
  middle->events.push_back(&redeclared);
  auto leaf = make_class("Leaf", middle.get());
  leaf->hooks.push_back({"Action", 0, kGrandchildCode});
  Instance object(leaf.get());

  // The leaf's hook counts for the event its superclass redeclared, not for the original one.
  EXPECT_EQ(find_event_handler(object.get(), redeclared), kGrandchildCode);
  EXPECT_EQ(find_event_handler(object.get(), original), 0u);

  // The redeclaring class's own hook still counts for the original event; for its own event, the classes
  // below it implement the handler.
  middle->hooks.push_back({"Action", 0, kChildCode});
  EXPECT_EQ(find_event_handler(object.get(), original), kChildCode);
  EXPECT_EQ(find_event_handler(object.get(), redeclared), kGrandchildCode);
}

intptr_t doubled(QlObject*, int32_t x) { return 2 * x; }
bool is_positive(QlObject*, int32_t x) { return x > 0; }

TEST(EventLookup, FiringCallsTheHandlerWithTheObjectAndTheParameters) {
  EventDefinition measure{"Measure", "x As Integer", "Integer"};
  EventDefinition check{"Check", "x As Integer", "Boolean"};
  auto declaring = make_class("Measuring");
  declaring->events = {&measure, &check};
  auto cls = make_class("Measured", declaring.get());
  Instance object(cls.get());

  EXPECT_EQ(fire_event(object.get(), measure, 21), 0);
  EXPECT_FALSE(fire_boolean_event(object.get(), check, 1));

  cls->hooks.push_back({"Measure", 0, reinterpret_cast<uintptr_t>(&doubled)});
  cls->hooks.push_back({"Check", 0, reinterpret_cast<uintptr_t>(&is_positive)});
  EXPECT_EQ(fire_event(object.get(), measure, 21), 42);
  EXPECT_TRUE(fire_boolean_event(object.get(), check, 1));
  EXPECT_FALSE(fire_boolean_event(object.get(), check, -1));
}

TEST(EventLookup, HookCodeByKeyPrefersTheObjectsOwnClass) {
  auto base = make_class("Base");
  base->hooks = {{"CreatePane", 4, kParentCode}, {"Other", 5, kParentCode + 1}};
  auto derived = make_class("Derived", base.get());
  derived->hooks = {{"CreatePane", 4, kChildCode}, {"Again", 4, kChildCode + 1}};
  Instance object(derived.get());

  EXPECT_EQ(RuntimeFindHookCode(object.get(), 4), reinterpret_cast<void*>(kChildCode));
  EXPECT_EQ(RuntimeFindHookCode(object.get(), 5), reinterpret_cast<void*>(kParentCode + 1));
  EXPECT_EQ(RuntimeFindHookCode(object.get(), 6), nullptr);
  EXPECT_EQ(RuntimeFindHookCode(nullptr, 4), nullptr);
}

}  // namespace
}  // namespace ql::testing
