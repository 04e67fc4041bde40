// Waiting until a program has handled its input: every GUI thread's queue is empty of input, posted messages
// and painting, and its windows stopped changing.
#include <windows.h>

#include <map>
#include <sstream>

#include "driver_input.h"
#include "driver_probe.h"
#include "driver_window_info.h"
#include "driver_windows.h"

namespace ql::driver {

namespace {

constexpr DWORD kRoundGapMs = 5;

void describe_state(HWND window, std::ostringstream& state) {
  RECT rect = window_rect(window);
  state << window << ':' << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom << ':'
        << GetWindowLongW(window, GWL_STYLE) << ';';
}

// Which windows the process shows, where, and in what state, and where its focus is.
std::string windows_state(const std::vector<HWND>& windows) {
  std::ostringstream state;
  for (HWND window : windows) {
    describe_state(window, state);
    state << "focus " << focused_window(window) << ';';
    for (HWND child : child_windows(window)) describe_state(child, state);
  }
  return state.str();
}

// One window of each GUI thread: the queue belongs to the thread.
std::vector<HWND> one_window_per_thread(const std::vector<HWND>& windows) {
  std::map<DWORD, HWND> by_thread;
  for (HWND window : windows) by_thread.emplace(GetWindowThreadProcessId(window, nullptr), window);
  std::vector<HWND> picked;
  for (const auto& [thread, window] : by_thread) picked.push_back(window);
  return picked;
}

// Whether every thread's queue was empty. Without the probe a thread only shows that its message loop
// answers, which it may do with input still queued (sent messages come first), so the caller also watches the
// windows.
bool queues_drained(const std::vector<HWND>& windows, DWORD deadline) {
  for (HWND window : one_window_per_thread(windows)) {
    int left = static_cast<int>(deadline - GetTickCount());
    if (left <= 0) return false;
    std::optional<bool> drained = queue_drained(window, static_cast<DWORD>(left));
    if (drained) {
      if (!*drained) return false;
      continue;
    }
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(left), &ignored) &&
        IsWindow(window))
      return false;
  }
  return true;
}

}  // namespace

bool settle(uint32_t process_id, int timeout_ms) {
  DWORD deadline = GetTickCount() + static_cast<DWORD>(timeout_ms);
  std::string previous;
  bool previous_drained = false;
  // Two rounds in a row: a handler may still run when its thread answers (a nested message loop answers too).
  while (static_cast<int>(deadline - GetTickCount()) > 0) {
    std::vector<HWND> windows = top_level_windows(process_id, true);
    bool drained = queues_drained(windows, deadline);
    std::string state = windows_state(windows);
    if (drained && previous_drained && state == previous) return true;
    previous_drained = drained;
    previous = state;
    Sleep(kRoundGapMs);
  }
  return false;
}

bool settle(HWND any_window_of_the_process, int timeout_ms) {
  return settle(process_of(any_window_of_the_process), timeout_ms);
}

}  // namespace ql::driver
