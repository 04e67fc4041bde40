// Building the class array from class descriptors, and refusing malformed ones.
#include "objects/class_descriptors.h"

#include <gtest/gtest.h>

#include "descriptor_builder.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "unit/runtime_classes.h"

namespace ql::testing {
namespace {

std::vector<std::string> hook_names(const ClassObject& cls) {
  std::vector<std::string> names;
  for (const HookRecord& hook : cls.hooks) names.push_back(hook.name);
  return names;
}

class ClassDescriptors : public ::testing::Test {
 protected:
  void SetUp() override { define_runtime_classes(); }
  Data1Builder data1;
  ClassBuild out;
  std::string problem;
};

TEST_F(ClassDescriptors, BuildsReferencesAndCompiledClassesInIndexOrder) {
  CompiledDescriptor app;
  app.size = sizeof(QlApplicationBase) + 8;
  app.name = "LoquatApp";
  app.superclass = 0;
  app.has_constructor = true;
  app.constructor = code_word(0x10);
  app.destructor = 0;  // a flag with only one of the two routines
  app.methods = {{"Score", code_word(0x20)}, {"Reset", code_word(0x30)}};
  app.hooks = {{"EnableMenuItems", code_word(0x40), 7}, {"Open", code_word(0x50), 9}};
  app.menu_handlers = {{"FileAbout", code_word(0x60)}, {"FileQuit", code_word(0x70)}};
  app.method_table = {0, code_word(0x20), code_word(0x30)};

  CompiledDescriptor anonymous;  // a control's class: no name, superclass later in the table
  anonymous.superclass = 3;
  anonymous.size = sizeof(ObjectBase) + 4;
  anonymous.hooks = {{"Action", code_word(0x80), 1}};

  CompiledDescriptor base;
  base.name = "Base";
  base.size = sizeof(ObjectBase) + 4;

  CompiledDescriptor second_app;
  second_app.name = "SecondApp";
  second_app.superclass = 1;
  second_app.size = app.size;

  std::vector<uint32_t> at = {write_reference(data1, "APPLICATION"), write_descriptor(data1, app),
                              write_descriptor(data1, anonymous), write_descriptor(data1, base),
                              write_descriptor(data1, second_app)};
  ASSERT_TRUE(build(data1, at, out, problem)) << problem;

  const ClassArray& array = out.array;
  ASSERT_EQ(array.classes.size(), 5u);
  EXPECT_EQ(array.classes[0], builtin_class("Application"));
  EXPECT_EQ(array.referenced_names[0], "APPLICATION");
  EXPECT_EQ(array.compiled.size(), 4u);

  const ClassObject& loquat = *array.classes[1];
  EXPECT_EQ(class_name(&loquat), "LoquatApp");
  EXPECT_EQ(loquat.superclass, builtin_class("Application"));
  EXPECT_EQ(loquat.instance_size, static_cast<int32_t>(sizeof(QlApplicationBase) + 8));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(loquat.constructor), code_in_process(0x10));
  EXPECT_EQ(loquat.destructor, nullptr);
  ASSERT_EQ(loquat.methods.size(), 2u);
  EXPECT_EQ(loquat.methods[0].name, "Score");
  EXPECT_EQ(loquat.methods[1].code, code_in_process(0x30));
  EXPECT_EQ(hook_names(loquat), (std::vector<std::string>{"Open", "EnableMenuItems"}));
  EXPECT_EQ(loquat.hooks[0].key, 9u);
  EXPECT_EQ(loquat.hooks[0].code, code_in_process(0x50));
  ASSERT_EQ(loquat.menu_handlers.size(), 2u);
  EXPECT_EQ(loquat.menu_handlers[0].item_name, "FileQuit");
  EXPECT_EQ(own_menu_handler(&loquat, "fileabout"), code_in_process(0x60));
  EXPECT_EQ(loquat.method_table_size, 3u);
  EXPECT_EQ(loquat.method_table, (std::vector<uintptr_t>{0, code_in_process(0x20), code_in_process(0x30)}));

  EXPECT_EQ(string_length(array.classes[2]->name), 0);
  EXPECT_EQ(array.classes[2]->superclass, array.classes[3]);
  EXPECT_EQ(array.classes[3]->superclass, nullptr);
  EXPECT_EQ(nearest_class_name(array.classes[2]), "Base");
  EXPECT_EQ(array.classes[4]->superclass, array.classes[1]);
  // The last compiled class whose chain reaches Application.
  EXPECT_EQ(array.application_index, 4);
  EXPECT_TRUE(out.diagnostics.empty());
}

TEST_F(ClassDescriptors, AnUnknownReferenceLeavesItsSlotEmptyAndNamed) {
  CompiledDescriptor button;
  button.superclass = 0;
  std::vector<uint32_t> at = {write_reference(data1, "NoSuchButton"), write_descriptor(data1, button)};
  ASSERT_TRUE(build(data1, at, out, problem)) << problem;
  EXPECT_EQ(out.array.classes[0], nullptr);
  EXPECT_EQ(out.array.classes[1]->superclass, nullptr);
  EXPECT_EQ(out.array.application_index, -1);

  InstalledClasses installed(std::move(out.array));
  std::string text = class_index_fault_text("RuntimeNewObject", 0);
  EXPECT_NE(text.find("RuntimeNewObject"), std::string::npos) << text;
  EXPECT_NE(text.find("NoSuchButton"), std::string::npos) << text;
  text = class_index_fault_text("RuntimeCheckCast", 2);
  EXPECT_NE(text.find("class index 2"), std::string::npos) << text;
  EXPECT_NE(text.find("has 2 classes"), std::string::npos) << text;
}

TEST_F(ClassDescriptors, AClassSmallerThanItsSuperclassIsReportedAndGrown) {
  CompiledDescriptor small;
  small.name = "Small";
  small.superclass = 0;
  small.size = 8;
  CompiledDescriptor smaller;  // below it, compared with the grown size
  smaller.name = "Smaller";
  smaller.superclass = 1;
  smaller.size = 12;
  std::vector<uint32_t> at = {write_reference(data1, "Application"), write_descriptor(data1, smaller),
                              write_descriptor(data1, small)};
  at = {at[0], at[2], at[1]};
  ASSERT_TRUE(build(data1, at, out, problem)) << problem;

  const int32_t application_size = builtin_class("Application")->instance_size;
  EXPECT_EQ(out.array.classes[1]->instance_size, application_size);
  EXPECT_EQ(out.array.classes[2]->instance_size, application_size);
  ASSERT_EQ(out.diagnostics.size(), 10u);
  EXPECT_EQ(out.diagnostics[0], "!!! RuntimeInit -- Bad class object size");
  EXPECT_EQ(out.diagnostics[1], "\tClass Name: Small");
  EXPECT_EQ(out.diagnostics[2], "\tClass Size: 8");
  EXPECT_EQ(out.diagnostics[3], "\tSuper Name: Application");
  EXPECT_EQ(out.diagnostics[4], "\tSuper Size: " + std::to_string(application_size));
  EXPECT_EQ(out.diagnostics[6], "\tClass Name: Smaller");
  EXPECT_EQ(out.diagnostics[8], "\tSuper Name: Small");
}

// Each malformed descriptor is refused with a problem naming its index.
TEST_F(ClassDescriptors, RefusesMalformedDescriptors) {
  auto refused = [&](std::vector<uint32_t> at, const std::string& expected) {
    ClassBuild build_out;
    std::string why;
    EXPECT_FALSE(build(data1, at, build_out, why)) << expected;
    EXPECT_NE(why.find(expected), std::string::npos) << why;
  };
  CompiledDescriptor plain;
  plain.name = "Plain";
  uint32_t good = write_descriptor(data1, plain);

  CompiledDescriptor wrong_super = plain;
  wrong_super.superclass = 9;
  refused({good, write_descriptor(data1, wrong_super)}, "class descriptor 1 names the superclass index 9");

  CompiledDescriptor loop_a = plain, loop_b = plain;
  loop_a.superclass = 2;
  loop_b.superclass = 1;
  refused({good, write_descriptor(data1, loop_a), write_descriptor(data1, loop_b)},
          "class descriptor 1 has a superclass chain that loops");
  CompiledDescriptor self = plain;
  self.superclass = 0;
  refused({write_descriptor(data1, self)}, "class descriptor 0 has a superclass chain that loops");

  CompiledDescriptor outside_code = plain;
  outside_code.hooks = {{"Open", kCodeAddress + kCodeLength, 1}};
  refused({good, write_descriptor(data1, outside_code)}, "class descriptor 1 has a hook address outside");

  CompiledDescriptor huge = plain;
  huge.size = 0x7FFFFFFF;
  refused({write_descriptor(data1, huge)}, "class descriptor 0 gives the instance size 2147483647");

  CompiledDescriptor bad_interface = plain;
  bad_interface.interfaces = {5};
  refused({write_descriptor(data1, bad_interface)}, "class descriptor 0 names the interface index 5");

  uint32_t unknown_kind = data1.here();
  data1.words({7, 0});
  refused({good, unknown_kind}, "class descriptor 1 has the unknown kind 7");

  uint32_t name_outside = data1.here();
  data1.words({1, Data1Builder::kBase + 0x100000});
  refused({name_outside}, "class descriptor 0 has a class name outside data1");

  // A string constant whose length runs past the end of data1.
  uint32_t long_text = data1.string_constant("Short");
  std::memcpy(&data1.bytes()[long_text - Data1Builder::kBase + offsetof(QlStringHeader, length)],
              "\xff\xff\x00\x00", 4);
  uint32_t long_name = data1.here();
  data1.words({1, long_text});
  refused({long_name}, "class descriptor 0 has a class name outside data1");

  uint32_t many_methods = data1.here();
  data1.words({0, 24, 0, 0xFFFFFFFF, 0, 0, 0, 0x10000000});
  refused({many_methods}, "class descriptor 0 claims 268435456 methods");

  // The last descriptor stops short: its method table runs off the end of data1.
  CompiledDescriptor cut = plain;
  cut.method_table = {0, code_word(4)};
  uint32_t cut_at = write_descriptor(data1, cut);
  data1.bytes().resize(data1.bytes().size() - 4);
  refused({good, cut_at}, "class descriptor 1 claims 2 method table slots");
  data1.bytes().resize(data1.bytes().size() - 8);  // the table's size word too
  refused({good, cut_at}, "class descriptor 1 is cut short by the end of data1");
}

}  // namespace
}  // namespace ql::testing
