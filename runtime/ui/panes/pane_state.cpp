// The process-wide pane state.
#include "ui/panes/pane_state.h"

#include <algorithm>
#include <vector>

#include "ui/panes/pane.h"

namespace ql {

namespace {

struct PaneState {
  Pane* focus = nullptr;
  Pane* tracking = nullptr;
  Pane* port = nullptr;
  bool contextual = false;
  WindowPane* under_pointer = nullptr;
  LastMessage last = {};
  int32_t scopes = 0;         // message scopes open
  std::vector<Pane*> doomed;  // deleted once the outermost scope ends, oldest first
};

PaneState& state() {
  static PaneState current;
  return current;
}

}  // namespace

Pane* focus_pane() { return state().focus; }

void set_focus_pane(Pane* pane) {
  Pane* old = state().focus;
  if (old == pane) return;
  state().focus = pane;
  if (old) old->lose_focus();
  if (pane && state().focus == pane) pane->gain_focus();
}

Pane* tracking_pane() { return state().tracking; }

void start_tracking(Pane* pane) {
  state().tracking = pane;
  HWND hwnd = pane->hwnd();
  if (!hwnd && pane->window()) hwnd = window_hwnd(pane->window());
  if (hwnd) SetCapture(hwnd);
}

void stop_tracking() {
  if (!state().tracking) return;
  state().tracking = nullptr;
  ReleaseCapture();
}

Pane* current_port() { return state().port; }
void set_current_port(Pane* pane) { state().port = pane; }

bool contextual_click() { return state().contextual; }
void set_contextual_click(bool on) { state().contextual = on; }

WindowPane* window_under_pointer() { return state().under_pointer; }
void set_window_under_pointer(WindowPane* window) { state().under_pointer = window; }

const LastMessage& last_message() { return state().last; }

void record_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  state().last = {hwnd, message, wparam, lparam, GetMessageTime(), GetMessagePos()};
}

MessageScope::MessageScope() { ++state().scopes; }

MessageScope::~MessageScope() {
  PaneState& s = state();
  if (s.scopes > 1) {
    --s.scopes;
    return;
  }
  // Deleting a pane may send messages (its platform window is destroyed), whose scopes then end inside this
  // one: the loop takes what they doom as well.
  while (!s.doomed.empty()) {
    std::vector<Pane*> now;
    now.swap(s.doomed);
    for (Pane* pane : now) delete pane;
  }
  --s.scopes;
}

void delete_pane(Pane* pane) {
  if (!pane) return;
  PaneState& s = state();
  if (s.scopes == 0) {
    delete pane;
    return;
  }
  pane->closed = true;
  if (std::find(s.doomed.begin(), s.doomed.end(), pane) == s.doomed.end()) s.doomed.push_back(pane);
}

void forget_pane(Pane* pane) {
  PaneState& s = state();
  if (s.focus == pane) s.focus = nullptr;
  if (s.tracking == pane) {
    s.tracking = nullptr;
    ReleaseCapture();
  }
  if (s.port == pane) s.port = nullptr;
}

}  // namespace ql
