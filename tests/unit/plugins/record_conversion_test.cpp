// Version-1 records converted to the records the host registers, and the exports table they name
// routines through.
#include <gtest/gtest.h>

#include "plugins/plugin_conversion.h"

namespace ql {
namespace {

void first() {}
void second() {}
void third() {}

const QlPluginExport kExports[] = {{"first", first, nullptr},
                                   {"second", second, nullptr},
                                   {"unused", nullptr, nullptr},
                                   {"third", third, nullptr},
                                   {nullptr, nullptr, nullptr}};

TEST(PluginRecordConversion, ExportsAreFoundByIndexPastAHoleToTheTablesEnd) {
  EXPECT_EQ(export_function(kExports, 0), &first);
  EXPECT_EQ(export_function(kExports, 1), &second);
  EXPECT_EQ(export_function(kExports, 2), nullptr);
  EXPECT_EQ(export_function(kExports, 3), &third);  // after the hole
  EXPECT_EQ(export_function(kExports, 4), nullptr);
  EXPECT_EQ(export_function(kExports, 5), nullptr);  // never read past the end
  EXPECT_EQ(export_function(kExports, -1), nullptr);
  EXPECT_EQ(export_function(nullptr, 0), nullptr);
}

TEST(PluginRecordConversion, ControlRecordBecomesVersionFour) {
  static const QlPluginPropertyRecordV1 properties[] = {
      {"Appearance", "Caption", "String", 1, 0},
      {"Behavior", "Value", "Boolean", 0, 8},
  };
  static const QlPluginMethodRecordV1 methods[] = {{1, "Second"}, {7, "Missing"}, {0, "First(x As Integer)"}};
  static QlPluginEventRecord events[] = {{"Action", nullptr}};
  static const QlPluginBehaviour behaviour = {};
  QlPluginControlRecordV1 old = {1,       "OldButton", 12,     0x9, 172,        properties, 2,
                                 methods, 3,           events, 1,   &behaviour, 0};

  QlPluginControlRecord* converted = convert_control_record(old, kExports);
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted->version, 4);
  EXPECT_STREQ(converted->name, "OldButton");
  EXPECT_EQ(converted->data_size, 12);
  EXPECT_EQ(converted->flags, 0x9u);
  EXPECT_EQ(converted->icon_id, 172);
  EXPECT_EQ(converted->second_icon_id, 0);
  EXPECT_EQ(converted->default_width, 100);
  EXPECT_EQ(converted->default_height, 100);

  ASSERT_EQ(converted->property_count, 2);
  const QlPluginPropertyRecord& value = converted->properties[1];
  EXPECT_STREQ(value.group, "Behavior");
  EXPECT_STREQ(value.name, "Value");
  EXPECT_STREQ(value.type, "Boolean");
  EXPECT_EQ(value.offset, 8);
  EXPECT_EQ(value.getter, QL_PLUGIN_DIRECT);
  EXPECT_EQ(value.setter, QL_PLUGIN_DIRECT);
  EXPECT_EQ(converted->properties[0].flags, 1u);

  ASSERT_EQ(converted->method_count, 3);
  EXPECT_EQ(converted->methods[0].function, &second);
  EXPECT_EQ(converted->methods[1].function,
            nullptr);  // index 7 names no export: the method is left out later
  EXPECT_EQ(converted->methods[2].function, &first);
  EXPECT_STREQ(converted->methods[2].declaration, "First(x As Integer)");
  EXPECT_EQ(converted->methods[2].second_function, nullptr);

  EXPECT_EQ(converted->events, events);  // taken over: descriptors land in the old record's array
  EXPECT_EQ(converted->event_count, 1);
  EXPECT_EQ(converted->behaviour, &behaviour);
  EXPECT_EQ(converted->shared_methods, nullptr);
  EXPECT_EQ(converted->shared_method_count, 0);
  EXPECT_EQ(converted->interfaces, nullptr);
}

TEST(PluginRecordConversion, EmptyAndDamagedArraysConvertToNone) {
  QlPluginControlRecordV1 old = {1, "Bare", 0, 0, 0, nullptr, 5, nullptr, -3, nullptr, 4, nullptr, 0};
  QlPluginControlRecord* converted = convert_control_record(old, nullptr);
  EXPECT_EQ(converted->property_count, 0);
  EXPECT_EQ(converted->method_count, 0);
  EXPECT_EQ(converted->event_count, 0);

  QlPluginMethodRecordV1 method = {3, "Third"};
  QlPluginMethodRecord made = convert_method_record(method, kExports);
  EXPECT_EQ(made.function, &third);
  EXPECT_STREQ(made.declaration, "Third");
  EXPECT_EQ(convert_method_record(method, nullptr).function, nullptr);
}

}  // namespace
}  // namespace ql
