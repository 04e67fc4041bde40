// Times full repaints of a window holding 20 quilapp1 bevel buttons (captions, two with menus, two set, two
// disabled): invalidate everything and paint at once, and prints milliseconds per repaint.
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "objects/class_registry.h"
#include "plugin_test_support.h"

int main() {
  using namespace ql;
  using Clock = std::chrono::steady_clock;
  plugin_testing::install_quilapp1();
  ClassObject* bevel = class_by_name("BevelButton");
  if (!bevel) {
    printf("quilapp1 did not install\n");
    return 1;
  }
  std::vector<plugin_testing::TestControl> buttons;
  for (int i = 0; i < 20; ++i) {
    plugin_testing::Properties p = plugin_testing::control_properties(
        "Button" + std::to_string(i), 10 + (i % 4) * 95, 10 + (i / 4) * 55, 90, 24,
        {{"Caption", "Button " + std::to_string(i)},
         {"Bevel", "1"},
         {"TextFont", "Arial"},
         {"TextSize", "12"}});
    if (i % 10 == 3) p.push_back({"HasMenu", "1"});
    if (i % 10 == 5) p.push_back({"Value", "True"});
    if (i % 10 == 7) p.push_back({"Enabled", "False"});
    buttons.push_back({bevel, p});
  }
  plugin_testing::TestWindow window(buttons, 40, 40, 400, 300);
  HWND hwnd = window.hwnd();
  if (!hwnd) {
    printf("the window was not built\n");
    return 1;
  }
  constexpr int kRounds = 7, kRepaints = 50;
  double best = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    auto start = Clock::now();
    for (int i = 0; i < kRepaints; ++i)
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    best =
        std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRepaints);
  }
  printf("20 bevel buttons: full repaint of the window, best of %d rounds of %d: %8.3f ms per repaint\n",
         kRounds, kRepaints, best);
  return 0;
}
