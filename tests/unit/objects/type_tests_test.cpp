// Type tests along the superclass chain, and of nil.
#include <gtest/gtest.h>

#include "object_test_support.h"
#include "objects/objects.h"
#include "quillet/objects.h"

namespace ql::testing {
namespace {

TEST(TypeTests, IsAFollowsTheChainUpwardAndNilIsNothing) {
  auto base = make_class("Base");
  auto derived = make_class("Derived", base.get());
  auto other = make_class("Other");
  auto walker = make_class("Walker");
  walker->is_interface = true;
  base->interfaces.push_back({walker.get(), {}});
  InstalledClasses installed({base.get(), derived.get(), other.get(), walker.get()});

  QlObject* object = RuntimeNewObject(1);
  QlObject* plain_base = RuntimeNewObject(0);
  EXPECT_TRUE(RuntimeObjectIsa(object, 1));
  EXPECT_TRUE(RuntimeObjectIsa(object, 0));
  EXPECT_TRUE(RuntimeObjectIsa(object, 3));  // through the superclass's interface list
  EXPECT_FALSE(RuntimeObjectIsa(object, 2));
  EXPECT_FALSE(RuntimeObjectIsa(plain_base, 1));
  EXPECT_FALSE(RuntimeObjectIsa(nullptr, 0));

  // Casts that pass answer the object; nil always passes.
  EXPECT_EQ(RuntimeCheckCast(object, 0), object);
  EXPECT_EQ(RuntimeCheckCast(object, 3), object);
  EXPECT_EQ(RuntimeCheckCast(nullptr, 2), nullptr);

  RuntimeUnlockObject(object);
  RuntimeUnlockObject(plain_base);
}

}  // namespace
}  // namespace ql::testing
