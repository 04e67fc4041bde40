// Interface tables: the nearest method for each slot, rebuilds, and a missing method.
#include "objects/interface_tables.h"

#include <gtest/gtest.h>

#include "descriptor_builder.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/objects.h"
#include "unit/runtime_classes.h"

namespace ql::testing {
namespace {

// Interface Speaker {Speak, Stop}; Dog implements it; Puppy, a Dog, implements it again with its own Speak;
// an anonymous subclass of Puppy implements nothing itself.
class InterfaceTables : public ::testing::Test {
 protected:
  void SetUp() override {
    define_runtime_classes();
    CompiledDescriptor speaker;
    speaker.name = "Speaker";
    speaker.is_interface = true;
    speaker.methods = {{"Speak", 0}, {"Stop", 0}};
    CompiledDescriptor dog;
    dog.name = "Dog";
    dog.interfaces = {0};
    dog.methods = {{"STOP", code_word(0x10)}, {"speak", code_word(0x20)}};
    CompiledDescriptor puppy;
    puppy.name = "Puppy";
    puppy.superclass = 1;
    puppy.interfaces = {0};
    puppy.methods = {{"Speak", code_word(0x30)}};
    CompiledDescriptor anonymous;
    anonymous.superclass = 2;
    std::vector<uint32_t> at = {write_descriptor(data1, speaker), write_descriptor(data1, dog),
                                write_descriptor(data1, puppy), write_descriptor(data1, anonymous)};
    ClassBuild out;
    std::string problem;
    ASSERT_TRUE(build(data1, at, out, problem)) << problem;
    installed = std::make_unique<InstalledClasses>(std::move(out.array));
  }

  Data1Builder data1;
  std::unique_ptr<InstalledClasses> installed;
};

TEST_F(InterfaceTables, SlotsHoldTheNearestMethodOfEachInterfaceMethodsName) {
  std::string problem;
  ASSERT_TRUE(build_interface_tables(problem)) << problem;
  const ClassObject* dog = class_at_index(1);
  const ClassObject* puppy = class_at_index(2);
  ASSERT_EQ(dog->interfaces.size(), 1u);
  EXPECT_EQ(dog->interfaces[0].table,
            (std::vector<uintptr_t>{0, code_in_process(0x20), code_in_process(0x10)}));
  ASSERT_EQ(puppy->interfaces.size(), 1u);
  EXPECT_EQ(puppy->interfaces[0].table,
            (std::vector<uintptr_t>{0, code_in_process(0x30), code_in_process(0x10)}));

  // Dispatch finds the nearest class of the chain that implements the interface.
  QlObject* object = RuntimeNewObject(3);
  EXPECT_EQ(FindInterfaceVTableCode(object, 1, 0), reinterpret_cast<void*>(code_in_process(0x30)));
  EXPECT_EQ(FindInterfaceVTableCode(object, 2, 0), reinterpret_cast<void*>(code_in_process(0x10)));
  EXPECT_TRUE(RuntimeObjectIsa(object, 0));
  RuntimeUnlockObject(object);

  // A class outside the chain of every implementer answers 0.
  auto stranger = make_class("Stranger");
  QlObject* other = new_object(stranger.get());
  EXPECT_EQ(FindInterfaceVTableCode(other, 1, 0), nullptr);
  EXPECT_FALSE(object_isa(other, class_at_index(0)));
  release_object(other);
}

TEST_F(InterfaceTables, ALaterBuildRenewsTablesAndAMissingMethodStopsIt) {
  std::string problem;
  ASSERT_TRUE(build_interface_tables(problem)) << problem;
  ClassObject* dog = class_at_index(1);
  dog->methods[1].code = code_in_process(0x99);
  ASSERT_TRUE(build_interface_tables(problem)) << problem;
  EXPECT_EQ(dog->interfaces[0].table[1], code_in_process(0x99));
  // Puppy keeps its own Speak.
  EXPECT_EQ(class_at_index(2)->interfaces[0].table[1], code_in_process(0x30));

  dog->methods.erase(dog->methods.begin());  // STOP
  EXPECT_FALSE(build_interface_tables(problem));
  EXPECT_NE(problem.find("class Dog lacks the method Stop of the interface Speaker"), std::string::npos)
      << problem;
}

}  // namespace
}  // namespace ql::testing
