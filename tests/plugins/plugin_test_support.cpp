// The plug-in tests' shared set-up.
#include "plugin_test_support.h"

#include <gtest/gtest.h>

#include <deque>

#include "plugins/plugin_classes.h"
#include "plugins/plugin_install.h"
#include "program_runner.h"

namespace ql::plugin_testing {

std::vector<uint8_t> built_dll(const std::string& file_name) {
  std::string bytes = harness::read_file(harness::program_folder() + file_name);
  EXPECT_FALSE(bytes.empty()) << file_name << " was not built next to the tests";
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

image::StoredPlugin stored_plugin(const std::string& file_name, const std::vector<uint8_t>& bytes) {
  return {file_name, bytes.data(), static_cast<uint32_t>(bytes.size())};
}

void install_quilapp1() {
  define_ui_test_classes();
  static bool installed = false;
  if (installed) return;
  installed = true;
  static const std::vector<uint8_t> bytes = built_dll("quilapp1.dll");
  std::string folder = harness::make_temp_folder("quilapp1");
  ASSERT_EQ(install_stored_plugin(stored_plugin("quilapp1.dll", bytes), {{folder}}), PluginInstall::kLoaded);
  complete_plugin_classes();
}

ClassObject* subclass_of(ClassObject* base, std::vector<HookRecord> hooks) {
  static auto* classes = new std::deque<ClassObject>;
  ClassObject& cls = classes->emplace_back();
  cls.superclass = base;
  cls.instance_size = base->instance_size;
  cls.hooks = std::move(hooks);
  return &cls;
}

}  // namespace ql::plugin_testing
