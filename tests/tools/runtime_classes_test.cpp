// qlimage's list of the runtime's classes against the classes the runtime defines at start-up.
#include "qlimage/runtime_classes.h"

#include <gtest/gtest.h>

#include "objects/class_object.h"
#include "objects/objects.h"
#include "qlimage/target.h"
#include "unit/runtime_classes.h"

namespace qltest {
namespace {

TEST(RuntimeClasses, QlimageKnowsTheClassesTheRuntimeDefines) {
  ql::testing::define_runtime_classes();
  for (const qlimage::RuntimeClass& cls : qlimage::runtime_classes()) {
    const ql::ClassObject* defined = ql::builtin_class(cls.name);
    ASSERT_NE(defined, nullptr) << cls.name;
    EXPECT_EQ(ql::class_name(defined), cls.name);
    if (cls.superclass.empty()) {
      EXPECT_EQ(defined->superclass, nullptr) << cls.name;
    } else {
      EXPECT_EQ(defined->superclass, ql::builtin_class(cls.superclass)) << cls.name;
    }
    // The host runtime uses the 64-bit layouts: the sizes qlimage gives compiled subclasses must hold them.
    EXPECT_GE(qlimage::x86_64_target().builtin_instance_size(cls.name).value_or(0),
              static_cast<uint32_t>(defined->instance_size))
        << cls.name;
  }
  EXPECT_EQ(qlimage::find_runtime_class("quitmenuitem")->name, "QuitMenuItem");
  EXPECT_EQ(qlimage::find_runtime_class("BevelButton"), nullptr);  // a plug-in's class
  EXPECT_EQ(qlimage::i386_target().builtin_instance_size("Listbox"), 524u);
  EXPECT_EQ(qlimage::x86_64_target().builtin_instance_size("Listbox"), 1048u);
}

}  // namespace
}  // namespace qltest
