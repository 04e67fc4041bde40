// Window queries and the waits built on them.
#include <windows.h>

#include <sstream>

#include "driver_program.h"
#include "driver_text.h"
#include "driver_window_info.h"
#include "driver_windows.h"

namespace ql::driver {

namespace {

constexpr DWORD kPollMs = 15;

struct TopLevelScan {
  DWORD process_id;
  bool include_hidden;
  std::vector<HWND> windows;
};

BOOL CALLBACK collect_top_level(HWND window, LPARAM context) {
  auto* scan = reinterpret_cast<TopLevelScan*>(context);
  if (process_of(window) == scan->process_id && (scan->include_hidden || IsWindowVisible(window)))
    scan->windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

bool text_matches(const std::string& shown, const std::string& wanted) {
  return shown == wanted || label_of(shown) == wanted;
}

bool matches(HWND window, const WindowQuery& query, bool child) {
  if (!query.include_hidden && !IsWindowVisible(window)) return false;
  if (!query.class_name.empty() &&
      lstrcmpiW(to_wide(window_class(window)).c_str(), to_wide(query.class_name).c_str()) != 0)
    return false;
  if (query.control_id >= 0 && control_id(window) != query.control_id) return false;
  if (query.at) {
    RECT rect = child ? rect_in_parent(window) : window_rect(window);
    if (!PtInRect(&rect, *query.at)) return false;
  }
  if (!query.text.empty() || !query.text_contains.empty()) {
    std::string text = window_text(window);
    if (!query.text.empty() && !text_matches(text, query.text)) return false;
    if (!query.text_contains.empty() && text.find(query.text_contains) == std::string::npos &&
        label_of(text).find(query.text_contains) == std::string::npos)
      return false;
  }
  return true;
}

HWND pick(const std::vector<HWND>& windows, const WindowQuery& query, bool child) {
  int remaining = query.index;
  for (HWND window : windows) {
    if (matches(window, query, child) && remaining-- == 0) return window;
  }
  return nullptr;
}

std::string list_of(const std::vector<HWND>& windows) {
  std::string list;
  for (HWND window : windows) list += "\n  " + describe_window(window);
  return list.empty() ? "\n  (none)" : list;
}

bool poll_until(const std::function<bool()>& condition, int timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (static_cast<int>(GetTickCount() - start) >= timeout_ms) return condition();
    Sleep(kPollMs);
  }
}

}  // namespace

std::vector<HWND> top_level_windows(uint32_t process_id, bool include_hidden) {
  TopLevelScan scan{process_id, include_hidden, {}};
  EnumWindows(collect_top_level, reinterpret_cast<LPARAM>(&scan));
  return scan.windows;
}

std::vector<HWND> child_windows(HWND parent, bool direct_only) {
  std::vector<HWND> windows;
  if (direct_only) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      windows.push_back(child);
  } else {
    EnumChildWindows(parent, collect_child, reinterpret_cast<LPARAM>(&windows));
  }
  return windows;
}

HWND find_window(const Program& program, const WindowQuery& query) {
  return pick(top_level_windows(program.process_id(), query.include_hidden), query, false);
}

HWND find_child(HWND parent, const WindowQuery& query) {
  return pick(child_windows(parent, query.direct_children_only), query, true);
}

HWND wait_for_window(const Program& program, const WindowQuery& query, int timeout_ms, Where where) {
  HWND found = nullptr;
  if (poll_until([&] { return (found = find_window(program, query)) != nullptr; }, timeout_ms)) return found;
  std::ostringstream message;
  message << "timed out after " << timeout_ms << " ms waiting for a window " << describe(query)
          << " of process " << program.process_id() << (program.running() ? "" : " (which has ended)")
          << "; its top-level windows:" << list_of(top_level_windows(program.process_id()));
  fail(message.str(), where);
  return nullptr;
}

HWND wait_for_child(HWND parent, const WindowQuery& query, int timeout_ms, Where where) {
  HWND found = nullptr;
  if (poll_until([&] { return (found = find_child(parent, query)) != nullptr; }, timeout_ms)) return found;
  std::ostringstream message;
  message << "timed out after " << timeout_ms << " ms waiting for a child window " << describe(query)
          << " of " << describe_window(parent)
          << "; its children:" << list_of(child_windows(parent, query.direct_children_only));
  fail(message.str(), where);
  return nullptr;
}

bool wait_for_window_gone(HWND window, int timeout_ms, Where where) {
  std::string described = describe_window(window);
  if (poll_until([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms)) return true;
  fail("timed out after " + std::to_string(timeout_ms) + " ms waiting for " + described + " to close", where);
  return false;
}

bool wait_until(const std::function<bool()>& condition, const std::string& what, int timeout_ms,
                Where where) {
  if (poll_until(condition, timeout_ms)) return true;
  fail("timed out after " + std::to_string(timeout_ms) + " ms waiting for " + what, where);
  return false;
}

std::string describe(const WindowQuery& query) {
  std::ostringstream text;
  text << "{";
  const char* separator = "";
  auto field = [&](const char* name, const std::string& value) {
    text << separator << name << " " << value;
    separator = ", ";
  };
  if (!query.class_name.empty()) field("class", "\"" + query.class_name + "\"");
  if (!query.text.empty()) field("text", "\"" + query.text + "\"");
  if (!query.text_contains.empty()) field("text containing", "\"" + query.text_contains + "\"");
  if (query.control_id >= 0) field("id", std::to_string(query.control_id));
  if (query.at) field("at", "(" + std::to_string(query.at->x) + "," + std::to_string(query.at->y) + ")");
  if (query.index) field("index", std::to_string(query.index));
  if (query.include_hidden) field("hidden too", "yes");
  text << "}";
  return text.str();
}

}  // namespace ql::driver
