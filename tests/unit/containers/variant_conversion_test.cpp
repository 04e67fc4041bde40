// Variants: what they hold and the conversions of their values, with the faults that raise.
#include "containers/variant_conversion.h"

#include <gtest/gtest.h>
#include <math.h>

#include "array_test_support.h"
#include "containers/variant.h"
#include "quillet/string_library.h"
#include "quillet/variants.h"
#include "unit/values/string_test_support.h"

namespace ql {
namespace {

using testing::CountedObjects;
using testing::make;
using testing::text;

// Owns one reference to a variant made by a constructor entry point.
struct Held {
  explicit Held(QlObject* v) : object(v) {}
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  ~Held() { release_object(object); }
  QlObject* object;
};

Held string_variant(const char* s) { return Held(stringToVariant(make(s).get())); }

std::string own_text(QlString s) { return text(StringRef(s).get()); }

TEST(Variant, ConstructorsRecordTheTypeAndTheValue) {
  Held i(intToVariant(-7)), d(doubleToVariant(2.5)), b(booleanToVariant(true)), n(getNilVariant());
  EXPECT_EQ(VarType(i.object), 2);
  EXPECT_EQ(VarType(d.object), 5);
  EXPECT_EQ(VarType(b.object), 11);
  EXPECT_EQ(VarType(n.object), 1);
  EXPECT_EQ(VarType(nullptr), 0);
  EXPECT_EQ(class_of(i.object), variant_class());
  EXPECT_EQ(object_header(i.object)->count, 1);
  EXPECT_EQ(reinterpret_cast<VariantInstance*>(i.object)->value.integer, -7);
  EXPECT_EQ(reinterpret_cast<VariantInstance*>(d.object)->value.number, 2.5);
  EXPECT_GE(variant_class()->instance_size, static_cast<int32_t>(sizeof(VariantInstance)));

  EXPECT_TRUE(IsNumeric(i.object));
  EXPECT_TRUE(IsNumeric(d.object));
  EXPECT_FALSE(IsNumeric(b.object));
  EXPECT_FALSE(IsNumeric(string_variant("123").object));  // digits are not a number
  EXPECT_FALSE(IsNumeric(nullptr));
  EXPECT_TRUE(IsNull(n.object));
  EXPECT_FALSE(IsNull(nullptr));
  EXPECT_FALSE(IsNull(i.object));
}

TEST(Variant, StringsAndObjectsAreHeldUntilTheVariantGoes) {
  StringRef s = make("held");
  QlObject* v = stringToVariant(s.get());
  EXPECT_EQ(s.get()->count, 2);
  StringRef back(variantToString(v));
  EXPECT_EQ(back.get(), s.get());
  EXPECT_EQ(s.get()->count, 3);
  release_object(v);
  EXPECT_EQ(s.get()->count, 2);

  CountedObjects objects;
  QlObject* item = objects.make();
  QlObject* boxed = objectToVariant(item);
  EXPECT_EQ(CountedObjects::count_of(item), 2);
  auto unboxed = variant_to_object(boxed);
  EXPECT_EQ(unboxed.value, item);
  EXPECT_EQ(CountedObjects::count_of(item), 3);
  release_object(unboxed.value);
  release_object(item);
  EXPECT_EQ(CountedObjects::destroyed(), 0);
  release_object(boxed);
  EXPECT_EQ(CountedObjects::destroyed(), 1);

  Held empty(stringToVariant(nullptr));
  EXPECT_EQ(VarType(empty.object), 8);
  EXPECT_EQ(variant_to_string(empty.object).value, nullptr);
}

TEST(Variant, ToIntegerTruncatesTowardZero) {
  EXPECT_EQ(variant_to_int(Held(doubleToVariant(-3.7)).object).value, -3);
  EXPECT_EQ(variant_to_int(Held(doubleToVariant(3.7)).object).value, 3);
  EXPECT_EQ(variant_to_int(Held(doubleToVariant(1e20)).object).value, INT32_MIN);
  EXPECT_EQ(variant_to_int(Held(doubleToVariant(NAN)).object).value, INT32_MIN);
  EXPECT_EQ(variant_to_int(string_variant("42abc").object).value, 42);
  EXPECT_EQ(variant_to_int(string_variant("-9.9").object).value, -9);
  EXPECT_EQ(variant_to_int(string_variant("&hFF").object).value, 255);
  EXPECT_EQ(variant_to_int(string_variant("abc").object).value, 0);
  EXPECT_EQ(variant_to_int(string_variant("").object).value, 0);
  EXPECT_EQ(variant_to_int(string_variant("1e12").object).value, INT32_MIN);
  EXPECT_EQ(variant_to_int(Held(booleanToVariant(true)).object).value, 1);
  EXPECT_EQ(variant_to_int(Held(booleanToVariant(false)).object).value, 0);
  EXPECT_EQ(variant_to_int(Held(intToVariant(INT32_MIN)).object).value, INT32_MIN);
}

TEST(Variant, ToDoubleAndToBoolean) {
  EXPECT_EQ(variant_to_double(Held(intToVariant(-4)).object).value, -4.0);
  EXPECT_EQ(variant_to_double(string_variant("2.5e1x").object).value, 25.0);
  EXPECT_EQ(variant_to_double(Held(booleanToVariant(true)).object).value, 1.0);

  EXPECT_TRUE(variant_to_boolean(string_variant("TRUE").object).value);
  EXPECT_TRUE(variant_to_boolean(string_variant("tRuE").object).value);
  EXPECT_TRUE(variant_to_boolean(string_variant("1").object).value);
  EXPECT_FALSE(variant_to_boolean(string_variant("yes").object).value);
  EXPECT_FALSE(variant_to_boolean(string_variant("true ").object).value);
  EXPECT_FALSE(variant_to_boolean(string_variant("2").object).value);
  EXPECT_FALSE(variant_to_boolean(string_variant("").object).value);
  EXPECT_TRUE(variant_to_boolean(Held(intToVariant(-2)).object).value);
  EXPECT_FALSE(variant_to_boolean(Held(intToVariant(0)).object).value);
  EXPECT_TRUE(variant_to_boolean(Held(doubleToVariant(0.001)).object).value);
  EXPECT_FALSE(variant_to_boolean(Held(doubleToVariant(-0.0)).object).value);
}

TEST(Variant, ToString) {
  EXPECT_EQ(own_text(variant_to_string(Held(intToVariant(-2147483647 - 1)).object).value), "-2147483648");
  EXPECT_EQ(own_text(variant_to_string(Held(booleanToVariant(true)).object).value), "True");
  EXPECT_EQ(own_text(variant_to_string(Held(booleanToVariant(false)).object).value), "False");
  Held d(doubleToVariant(2.5));
  EXPECT_EQ(own_text(variant_to_string(d.object).value), own_text(runCStr(2.5)));
  EXPECT_EQ(own_text(variant_to_string(Held(doubleToVariant(1000000)).object).value), "1000000");
}

TEST(Variant, TypesThatDoNotConvertRaiseWithTheNeutralValue) {
  Held nil(getNilVariant());
  CountedObjects objects;
  QlObject* item = objects.make();
  Held boxed(objectToVariant(item));
  Held number(intToVariant(5));

  auto i = variant_to_int(nil.object);
  EXPECT_EQ(i.fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(i.value, 0);
  EXPECT_EQ(variant_to_double(nil.object).fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(variant_to_boolean(nil.object).fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(variant_to_string(nil.object).fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(variant_to_object(nil.object).fault, VariantFault::kTypeMismatch);

  for (auto fault : {variant_to_int(boxed.object).fault, variant_to_double(boxed.object).fault,
                     variant_to_boolean(boxed.object).fault, variant_to_string(boxed.object).fault}) {
    EXPECT_EQ(fault, VariantFault::kTypeMismatch);
  }
  auto o = variant_to_object(number.object);
  EXPECT_EQ(o.fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(o.value, nullptr);
  EXPECT_EQ(variant_to_object(string_variant("x").object).fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(CountedObjects::count_of(item), 2);  // a refused conversion takes no lock

  // An object of another class is not read as a variant.
  EXPECT_EQ(variant_to_int(item).fault, VariantFault::kTypeMismatch);
  EXPECT_EQ(VarType(item), 0);

  // A nil reference is a nil object.
  EXPECT_EQ(variant_to_int(nullptr).fault, VariantFault::kNilObject);
  EXPECT_EQ(variant_to_string(nullptr).fault, VariantFault::kNilObject);

  EXPECT_STREQ(exception_class_for(VariantFault::kTypeMismatch), "typeMismatchException");
  EXPECT_STREQ(exception_class_for(VariantFault::kNilObject), "NilObjectException");
  EXPECT_EQ(exception_class_for(VariantFault::kNone), nullptr);
  release_object(item);
}

TEST(Variant, ConversionsThatSucceedReturnThroughTheEntryPoints) {
  Held v(stringToVariant(make("42abc").get()));
  EXPECT_EQ(variantToInt(v.object), 42);
  EXPECT_EQ(variantToDouble(v.object), 42.0);
  EXPECT_FALSE(variantToBoolean(v.object));
  EXPECT_EQ(own_text(variantToString(v.object)), "42abc");
}

}  // namespace
}  // namespace ql
