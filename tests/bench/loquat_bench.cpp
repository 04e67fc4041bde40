// Loquat's figures, measured from outside as a learner meets them: the start of loquat.exe until its
// window stands painted against a plain Win32 program with one window, a box click until its redraw is
// done, opening "16 All Articles", and the processor time an idle Loquat takes in a second. Medians of
// several runs; prints milliseconds and the start ratio.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/driven_timing.h"
#include "driver.h"
#include "program_runner.h"

using namespace ql::driver;
using ql::bench::median;
using ql::bench::now_ms;

namespace {

constexpr int kRuns = 7;

// From CreateProcess until the window shows and every message the start posted has been handled.
double start_to_settled_ms(const std::string& program, const std::string& title, const std::string& folder) {
  const double begin = now_ms();
  Program running("\"" + ql::harness::program_folder() + program + "\"", folder);
  HWND window = wait_for_window(running, {.text = title}, 20000);
  if (!window || !settle(window, 10000)) return -1;
  const double ms = now_ms() - begin;
  running.end();
  return ms;
}

}  // namespace

int main() {
  const std::string folder = ql::harness::make_temp_folder("loquat-bench");
  std::vector<double> loquat, plain;
  for (int run = 0; run < kRuns; ++run) {
    loquat.push_back(start_to_settled_ms("release\\loquat.exe", "Loquat", folder));
    plain.push_back(start_to_settled_ms("driver_target.exe", "Driver target", folder));
  }
  const double l = median(loquat), p = median(plain);
  printf("start to painted window: loquat.exe %.1f ms, plain Win32 program %.1f ms, ratio %.2f\n", l, p,
         l / p);

  Program running("\"" + ql::harness::program_folder() + "release\\loquat.exe\"", folder);
  HWND window = wait_for_window(running, {.text = "Loquat"}, 20000);
  if (!window) return 1;
  settle(window, 10000);
  std::vector<HWND> controls = child_windows(window, true);
  std::vector<double> opening, clicks;
  for (int run = 0; run < kRuns; ++run) {
    // The menu's own opening and tracking are timed apart and taken off.
    double begin = now_ms();
    if (!choose_menu_item(window, {"Articles", "About Articles"})) return 1;
    settle(window);
    const double menu_only = now_ms() - begin;
    begin = now_ms();
    if (!choose_menu_item(window, {"Articles", "16 All Articles"})) return 1;
    settle(window);
    opening.push_back(now_ms() - begin - menu_only);
    // Box 1 ("start") and then right answers: one click, one redraw of the sentence and the boxes each.
    HWND start = controls[3];
    click(start);
    begin = now_ms();
    click(controls[3]);  // box 1 again: a choice of the item, right or wrong, redrawn either way
    clicks.push_back(now_ms() - begin);
  }
  printf("open \"16 All Articles\" (180 of 441 rows): %.1f ms beyond the menu's own %s\n", median(opening),
         "tracking");
  printf("box click to redrawn: %.1f ms (input, handling and painting, through Wine)\n", median(clicks));
  settle(window);
  const double idle_from = running.cpu_time_ms();
  Sleep(1000);
  printf("idle for a second: %.1f ms of processor time (an idle event loop waits for messages)\n",
         running.cpu_time_ms() - idle_from);
  running.end();
  return 0;
}
