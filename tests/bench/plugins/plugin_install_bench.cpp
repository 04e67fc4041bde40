// Times installing quilapp1 from its stored bytes, as start-up does: writing the file into a fresh folder,
// reading it back, loading it and registering its eight controls; then the same with the file already in
// place (read back and load only), and prints milliseconds, beside the time defining the built-in classes
// takes.
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "objects/class_registry.h"
#include "plugin_test_support.h"
#include "plugins/plugin_classes.h"
#include "plugins/plugin_install.h"
#include "program_runner.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
  using namespace ql;
  auto start = Clock::now();
  plugin_testing::define_ui_test_classes();
  double define_ms = ms_since(start);

  std::vector<uint8_t> bytes = plugin_testing::built_dll("quilapp1.dll");
  std::string folder = harness::make_temp_folder("install_bench");

  // The first install registers the eight controls; later ones load copies under other names (each loaded
  // once, as a new start would), whose registrations the host ignores as duplicates, so they time the file
  // work and the load.
  start = Clock::now();
  PluginInstall first =
      install_stored_plugin(plugin_testing::stored_plugin("quilapp1.dll", bytes), {{folder}});
  complete_plugin_classes();
  double first_ms = ms_since(start);
  bool registered = class_by_name("BevelButton") && class_by_name("ImageWell");

  constexpr int kRounds = 20;
  double fresh_best = 1e30, present_best = 1e30;
  const std::string file(bytes.begin(), bytes.end());
  for (int round = 0; round < kRounds; ++round) {
    std::string fresh_name = "quilapp1_fresh" + std::to_string(round) + ".dll";
    std::string fresh = harness::make_temp_folder("install_bench_fresh");
    start = Clock::now();
    install_stored_plugin(plugin_testing::stored_plugin(fresh_name, bytes), {{fresh}});
    fresh_best = std::min(fresh_best, ms_since(start));

    // A file a previous start left: read back and loaded, not written.
    std::string present_name = "quilapp1_present" + std::to_string(round) + ".dll";
    std::string present = harness::make_temp_folder("install_bench_present");
    harness::write_file(present + present_name, file);  // the folder ends in a backslash
    start = Clock::now();
    install_stored_plugin(plugin_testing::stored_plugin(present_name, bytes), {{present}});
    present_best = std::min(present_best, ms_since(start));
  }

  printf("quilapp1 (%zu bytes), %s\n", bytes.size(),
         first == PluginInstall::kLoaded && registered ? "installed" : "NOT INSTALLED");
  printf("  first install: write, read back, load, register 8 controls  %8.3f ms\n", first_ms);
  printf("  install into a fresh folder (best of %d)                     %8.3f ms\n", kRounds, fresh_best);
  printf("  install with the file already in place (best of %d)         %8.3f ms\n", kRounds, present_best);
  printf("  for comparison: defining the built-in classes               %8.3f ms\n", define_ms);
  return first == PluginInstall::kLoaded && registered ? 0 : 1;
}
