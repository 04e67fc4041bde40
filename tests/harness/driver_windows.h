// Finding windows as a test sees them: the top-level windows of a program by title and class, their child
// windows by class, control id, text, order and position, and waits for them that always end, failing the
// test with a list of what was there when the time ran out.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver_failures.h"

namespace ql::driver {

class Program;

// Every field left at its default matches any window; every field has a default so that designated
// initializers ({.class_name = "Button", .control_id = 2}) may name any of them. Texts are compared whole, as
// shown or without their "&" access-key marks ("&OK" matches "OK"); `text_contains` looks for a part of the
// text.
struct WindowQuery {
  std::string class_name = {};  // case-insensitive
  std::string text = {};        // the title of a top-level window
  std::string text_contains = {};
  int control_id = -1;
  // A point the window must contain: in the parent's client coordinates for a child, on the screen otherwise.
  std::optional<POINT> at = {};
  // Which of the matching windows, in enumeration order: z-order from the top, which for the children of one
  // parent is their creation order; children are searched depth first.
  int index = 0;
  bool direct_children_only = false;
  bool include_hidden = false;
};

// Top-level windows of a process in z-order from the top (message boxes and popup menus among them).
std::vector<HWND> top_level_windows(uint32_t process_id, bool include_hidden = false);
// Children of a window in enumeration order, depth first unless direct_only.
std::vector<HWND> child_windows(HWND parent, bool direct_only = false);

// The index-th match, or nullptr; these never fail the test.
HWND find_window(const Program& program, const WindowQuery& query);
HWND find_child(HWND parent, const WindowQuery& query);

// Poll until a match shows; after timeout_ms fail the test (listing the windows there are) and return
// nullptr.
HWND wait_for_window(const Program& program, const WindowQuery& query, int timeout_ms = 5000,
                     Where where = Where::current());
HWND wait_for_child(HWND parent, const WindowQuery& query, int timeout_ms = 5000,
                    Where where = Where::current());
// Poll until the window is destroyed or hidden.
bool wait_for_window_gone(HWND window, int timeout_ms = 5000, Where where = Where::current());
// Poll a condition every few milliseconds; after timeout_ms fail the test with "timed out after N ms waiting
// for <what>" and return false.
bool wait_until(const std::function<bool()>& condition, const std::string& what, int timeout_ms = 5000,
                Where where = Where::current());

std::string describe(const WindowQuery& query);

}  // namespace ql::driver
