// What the event loop asks of windows: messages, deferred geometry, idle calls, pointer polling, and the
// state that decides whether the loop may wait.
#pragma once

#include <stdint.h>

namespace ql {

// Raises DropObject for every queued drop and releases its drag item.
void deliver_drops();

// Brings every window's recorded bounds up to date with its platform window and shows each window that
// should be visible but is not.
void apply_window_geometry();

// Takes one message: waits for it (up to wait_ms milliseconds, or forever for -1; 0 only peeks), then
// tracks the mouse, offers a key press to the shortcuts, and translates and dispatches it. False when no
// message came; quit is set by WM_QUIT.
bool take_message(int32_t wait_ms, bool& quit);

// The panes that asked for idle calls, then the focused pane.
void idle_panes();

// Once per turn: a tracking pane gets its drag, otherwise the window under the pointer its mouse move (and
// the one before it its mouse exit).
void poll_pointer();

// A pane has captured the mouse.
bool mouse_captured();

// Asks panes for idle calls.
class Pane;
void add_idle_pane(Pane* pane);
void remove_idle_pane(Pane* pane);

// Closes every window, newest first, until none is left.
void close_all_windows();
bool windows_remain();

void screen_size(int32_t& width, int32_t& height);

}  // namespace ql
