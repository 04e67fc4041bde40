// Creating and destroying objects: constructor and destructor order, counts, the live-object list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object_test_support.h"
#include "objects/objects.h"
#include "quillet/objects.h"

namespace ql::testing {
namespace {

std::vector<std::string> events;

void record(const char* what, QlObject* object, ClassObject* cls) {
  events.push_back(std::string(what) + " " + class_name(cls) + (class_of(object) ? "" : " (no class)"));
}

void construct(QlObject* object, ClassObject* cls) { record("construct", object, cls); }
void destruct(QlObject* object, ClassObject* cls) { record("destruct", object, cls); }

// Takes and gives back a reference to the dying object, as a destructor that passes itself to an event
// handler does.
void lock_and_unlock(QlObject* object, ClassObject* cls) {
  RuntimeUnlockObject(RuntimeLockObject(object));
  record("destruct", object, cls);
}

TEST(ObjectLifecycle, ConstructorsRunRootFirstAndDestructorsMostDerivedFirst) {
  auto root = make_class("Root");
  auto middle = make_class("Middle", root.get());
  auto leaf = make_class("Leaf", middle.get());
  root->constructor = construct;
  root->destructor = destruct;
  leaf->constructor = construct;
  leaf->destructor = destruct;  // Middle has neither and is skipped
  events.clear();

  QlObject* object = new_object(leaf.get());
  EXPECT_EQ(events, (std::vector<std::string>{"construct Root", "construct Leaf"}));
  events.clear();
  release_object(object);
  EXPECT_EQ(events, (std::vector<std::string>{"destruct Leaf", "destruct Root"}));
}

TEST(ObjectLifecycle, CountsStartAtOneAndTheLastUnlockDestroys) {
  auto cls = make_class("Counted");
  cls->destructor = destruct;
  events.clear();

  QlObject* object = new_object(cls.get());
  EXPECT_EQ(object_header(object)->count, 1);
  EXPECT_EQ(class_of(object), cls.get());
  EXPECT_EQ(RuntimeLockObject(object), object);
  EXPECT_EQ(object_header(object)->count, 2);
  RuntimeUnlockObject(object);
  EXPECT_TRUE(events.empty());
  RuntimeUnlockObject(object);
  EXPECT_EQ(events, std::vector<std::string>{"destruct Counted"});

  // Nil is ignored both ways.
  EXPECT_EQ(RuntimeLockObject(nullptr), nullptr);
  RuntimeUnlockObject(nullptr);
}

TEST(ObjectLifecycle, ReferencesTakenWhileDyingDoNotDestroyTwice) {
  auto cls = make_class("SelfReferencing");
  cls->destructor = lock_and_unlock;
  events.clear();
  int32_t before = live_object_count();
  release_object(new_object(cls.get()));
  EXPECT_EQ(events, std::vector<std::string>{"destruct SelfReferencing"});
  EXPECT_EQ(live_object_count(), before);
}

TEST(ObjectLifecycle, InstancesAreWholeWordsZeroedAndNeverSmallerThanTheRoot) {
  auto odd = make_class("Odd", nullptr, sizeof(ObjectBase) + 5);
  auto tiny = make_class("Tiny", nullptr, 4);
  EXPECT_EQ(instance_bytes(odd.get()), static_cast<int32_t>(sizeof(ObjectBase) + 8));
  EXPECT_EQ(instance_bytes(tiny.get()), static_cast<int32_t>(sizeof(ObjectBase)));

  QlObject* object = new_object(odd.get());
  const auto* bytes = reinterpret_cast<const uint8_t*>(object);
  for (size_t i = sizeof(ObjectHeader); i < static_cast<size_t>(instance_bytes(odd.get())); ++i) {
    ASSERT_EQ(bytes[i], 0) << "byte " << i;
  }
  release_object(object);
}

TEST(ObjectLifecycle, LiveObjectsFormAListNewestFirst) {
  auto cls = make_class("Listed");
  int32_t before = live_object_count();
  QlObject* a = new_object(cls.get());
  QlObject* b = new_object(cls.get());
  QlObject* c = new_object(cls.get());
  EXPECT_EQ(live_object_count(), before + 3);
  EXPECT_EQ(first_live_object(), c);
  EXPECT_EQ(next_live_object(c), b);
  EXPECT_EQ(next_live_object(b), a);

  release_object(b);  // from the middle
  EXPECT_EQ(next_live_object(c), a);
  EXPECT_EQ(object_header(a)->previous, c);
  release_object(c);  // the head
  EXPECT_EQ(first_live_object(), a);
  EXPECT_EQ(object_header(a)->previous, nullptr);
  release_object(a);
  EXPECT_EQ(live_object_count(), before);
}

TEST(ObjectLifecycle, RuntimeNewObjectMakesTheClassAtTheIndex) {
  auto first = make_class("First");
  auto second = make_class("Second", first.get());
  InstalledClasses installed({first.get(), second.get()});
  EXPECT_EQ(class_count(), 2);
  EXPECT_EQ(class_at_index(2), nullptr);
  EXPECT_EQ(class_at_index(-1), nullptr);

  QlObject* object = RuntimeNewObject(1);
  EXPECT_EQ(class_of(object), second.get());
  RuntimeUnlockObject(object);
}

}  // namespace
}  // namespace ql::testing
