// Resolving deferred imports to methods and properties of built-in and plug-in classes.
#include <gtest/gtest.h>

#include "object_test_support.h"
#include "objects/class_registry.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "unit/runtime_classes.h"

namespace ql::testing {
namespace {

TEST(DeferredMembers, ResolveMethodsAndPropertiesOfBuiltInAndPlugInClasses) {
  define_runtime_classes();
  ClassObject* window = builtin_class("Window");
  window->methods.push_back({"Refresh", 0x1100, 0x1110});
  window->properties.push_back({"Title", nullptr, 0x1200, 0x1210, 0, 0});
  static auto* bevel = make_class("BevelButtonTest", builtin_class("RectControl")).release();
  bevel->methods.push_back({"Press", 0x1300, 0});
  register_plugin_class(bevel);

  EXPECT_EQ(lookup_deferred_member("MWindow!Refresh"), 0x1100u);
  EXPECT_EQ(lookup_deferred_member("Wwindow!refresh"), 0x1110u);
  EXPECT_EQ(lookup_deferred_member("GWindow!Title"), 0x1200u);
  EXPECT_EQ(lookup_deferred_member("SWindow!TITLE"), 0x1210u);
  // Members are found through superclasses too.
  EXPECT_EQ(lookup_deferred_member("MApplet!Refresh"), 0x1100u);
  EXPECT_EQ(lookup_deferred_member("MBevelButtonTest!Press"), 0x1300u);
  EXPECT_EQ(lookup_deferred_member("MWindow!NoSuchMethod"), 0u);
  EXPECT_EQ(lookup_deferred_member("MNoSuchClass!Refresh"), 0u);
  EXPECT_EQ(lookup_deferred_member("GWindow!Refresh"), 0u);
  window->methods.pop_back();
  window->properties.pop_back();
}

TEST(DeferredMembers, WithoutAClassOnlyPlugInGlobalMethodsAnswer) {
  plugin_global_methods().push_back({"Beep", 0x2100, 0x2110});
  plugin_global_methods().push_back({"beep", 0x2200, 0});
  EXPECT_EQ(lookup_deferred_member("MBEEP"), 0x2100u);  // the first of that name
  EXPECT_EQ(lookup_deferred_member("WBeep"), 0x2110u);
  EXPECT_EQ(lookup_deferred_member("GBeep"), 0u);
  EXPECT_EQ(lookup_deferred_member("SBeep"), 0u);
  EXPECT_EQ(lookup_deferred_member("MNoSuchGlobal"), 0u);
  // Any other kind resolves to nothing.
  EXPECT_EQ(lookup_deferred_member("XBeep"), 0u);
  EXPECT_EQ(lookup_deferred_member(""), 0u);
  plugin_global_methods().clear();
}

}  // namespace
}  // namespace ql::testing
