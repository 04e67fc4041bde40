// What is process-wide among panes: the focus, the pane tracking the mouse, the current drawing port, the
// contextual-click flag, the window last under the pointer, and the last message seen.
#pragma once

#include <windows.h>

#include "ui/panes/message_scope.h"

namespace ql {

class Pane;
class WindowPane;

// The focus: one pane at a time. Changing it calls lose focus on the old pane and gain focus on the new.
Pane* focus_pane();
void set_focus_pane(Pane* pane);

// The pane that captured the mouse after a MouseDown that answered True.
Pane* tracking_pane();
void start_tracking(Pane* pane);
void stop_tracking();

// The pane whose DC drawing currently goes to.
Pane* current_port();
void set_current_port(Pane* pane);

// True while a MouseDown handler runs for a right-button press.
bool contextual_click();
void set_contextual_click(bool on);

// The top-level window last under the pointer (for MouseExit).
WindowPane* window_under_pointer();
void set_window_under_pointer(WindowPane* window);

// The last message a runtime window procedure saw, for the runtime's event queries.
struct LastMessage {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  LONG time;
  DWORD position;
};
const LastMessage& last_message();
void record_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// A pane that goes away stops being any of the above.
void forget_pane(Pane* pane);

}  // namespace ql
