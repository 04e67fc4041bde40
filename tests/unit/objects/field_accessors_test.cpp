// The typed accessors of compiled classes' fields: reference counts kept balanced, each width.
#include <gtest/gtest.h>

#include "object_test_support.h"
#include "objects/objects.h"
#include "quillet/objects.h"

namespace ql::testing {
namespace {

constexpr int32_t kFirst = sizeof(ObjectBase);
constexpr int32_t kSecond = kFirst + sizeof(void*);

class FieldAccessors : public ::testing::Test {
 protected:
  void SetUp() override {
    holder_class = make_class("Holder", nullptr, kSecond + sizeof(void*) + 8);
    value_class = make_class("Value");
    holder = new_object(holder_class.get());
  }
  void TearDown() override { release_object(holder); }

  std::unique_ptr<ClassObject> holder_class, value_class;
  QlObject* holder = nullptr;
};

TEST_F(FieldAccessors, ObjectFieldsKeepCountsBalanced) {
  QlObject* a = new_object(value_class.get());
  QlObject* b = new_object(value_class.get());

  objSetter(holder, kFirst, a);
  EXPECT_EQ(object_header(a)->count, 2);
  QlObject* read = objGetter(holder, kFirst);
  EXPECT_EQ(read, a);
  EXPECT_EQ(object_header(a)->count, 3);
  RuntimeUnlockObject(read);

  objSetter(holder, kFirst, b);
  EXPECT_EQ(object_header(a)->count, 1);
  EXPECT_EQ(object_header(b)->count, 2);
  objSetter(holder, kFirst, b);  // storing what the field holds changes nothing
  EXPECT_EQ(object_header(b)->count, 2);
  EXPECT_EQ(objGetter(holder, kSecond), nullptr);

  objSetter(holder, kFirst, nullptr);
  EXPECT_EQ(object_header(b)->count, 1);
  release_object(a);
  release_object(b);
}

QlObject* watched_holder = nullptr;
QlObject* seen_in_field = reinterpret_cast<QlObject*>(1);

void look_at_field(QlObject*, ClassObject*) {
  QlObject* now = objGetter(watched_holder, kFirst);
  seen_in_field = now;
  RuntimeUnlockObject(now);
}

TEST_F(FieldAccessors, TheOldValueGoesAfterTheNewOneIsStored) {
  auto watching = make_class("Watching");
  watching->destructor = look_at_field;
  watched_holder = holder;
  QlObject* old = new_object(watching.get());
  objSetter(holder, kFirst, old);
  RuntimeUnlockObject(old);  // the field holds the last reference

  QlObject* replacement = new_object(value_class.get());
  objSetter(holder, kFirst, replacement);
  EXPECT_EQ(seen_in_field, replacement);
  objSetter(holder, kFirst, nullptr);
  release_object(replacement);
}

TEST_F(FieldAccessors, IntegerFieldsOfEachWidth) {
  int32Setter(holder, kSecond, -123456789);
  EXPECT_EQ(int32Getter(holder, kSecond), -123456789);

  int16Setter(holder, kSecond + 1, 0x12345);  // unaligned; only the low 16 bits are stored
  EXPECT_EQ(int16Getter(holder, kSecond + 1), 0x2345);
  int16Setter(holder, kSecond + 1, -2);
  EXPECT_EQ(int16Getter(holder, kSecond + 1), -2);
  EXPECT_EQ(int8Getter(holder, kSecond), static_cast<int8_t>(-123456789 & 0xFF));  // untouched byte

  int8Setter(holder, kSecond + 4, 200);
  EXPECT_EQ(int8Getter(holder, kSecond + 4), -56);
  int8Setter(holder, kSecond + 4, 1);
  EXPECT_EQ(int8Getter(holder, kSecond + 4), 1);

  // Nil reads as 0 and ignores writes.
  EXPECT_EQ(int32Getter(nullptr, kSecond), 0);
  EXPECT_EQ(objGetter(nullptr, kFirst), nullptr);
  int32Setter(nullptr, kSecond, 1);
  objSetter(nullptr, kFirst, holder);
  EXPECT_EQ(object_header(holder)->count, 1);
}

}  // namespace
}  // namespace ql::testing
