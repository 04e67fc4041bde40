// Exceptions raised by the runtime's entry points reach a catch clause of a method shaped like compiled code.
#include <gtest/gtest.h>

#include "catch_raise_fixture.h"
#include "object_test_support.h"
#include "objects/object_steps.h"
#include "unit/runtime_classes.h"
#include "objects/objects.h"
#include "quillet/objects.h"

#if defined(__x86_64__)

namespace ql::testing {
namespace {

QlObject* not_a_window = nullptr;
QlObject* own_exception = nullptr;

void raise_nil() { RuntimeNilObject(); }
void failing_cast() { RuntimeCheckCast(not_a_window, 1); }
void raise_own() { RuntimeRaiseException(own_exception); }
void passing_cast() { RuntimeCheckCast(nullptr, 1); }

TEST(RaiseAndCatch, RuntimeExceptionsReachTheCatchClauseOfTheCallingMethod) {
  define_runtime_classes();
  InstalledClasses installed({builtin_class("RuntimeException"), builtin_class("Window")});
  int32_t live_before = live_object_count();

  QlObject* caught = catch_raise_fixture(raise_nil);
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(class_of(caught), builtin_class("NilObjectException"));
  EXPECT_EQ(object_header(caught)->count, 1);
  release_object(caught);

  not_a_window = new_object(builtin_class("Picture"));
  caught = catch_raise_fixture(failing_cast);
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(class_of(caught), builtin_class("IllegalCastException"));
  release_object(caught);
  release_object(not_a_window);

  // An exception compiled code made itself: the raise takes a reference of its own.
  own_exception = new_object(builtin_class("OutOfBoundsException"));
  caught = catch_raise_fixture(raise_own);
  EXPECT_EQ(caught, own_exception);
  EXPECT_EQ(object_header(own_exception)->count, 2);
  release_object(caught);
  release_object(own_exception);

  EXPECT_EQ(catch_raise_fixture(passing_cast), nullptr);
  EXPECT_EQ(live_object_count(), live_before);
}

}  // namespace
}  // namespace ql::testing

#endif
