// The platform side of windows built from image data, for the application layer: making a window's pane,
// showing, hiding and closing it, and what it needs of the window list.
#pragma once

#include <stdint.h>

#include "quillet/types.h"
#include "ui/panes/geometry.h"

namespace ql {

// Makes the window pane of window_object for a content rectangle in screen coordinates, hidden and at the
// head of the window list; false when the platform window could not be made.
bool create_window_pane(QlObject* window_object, int32_t frame_type, const Rect16& screen);
bool window_built(QlObject* window_object);
// The window pane follows its Visible field at the next event-loop turn.
void set_window_should_show(QlObject* window_object, bool show);
void show_window(QlObject* window_object);
void hide_window(QlObject* window_object);
bool window_shown(QlObject* window_object);
// Fires CancelClose; unless it answers True, closes the window. Nothing for a window without a pane.
void request_window_close(QlObject* window_object);
void invalidate_window(QlObject* window_object);

// Records the window pane in a new control and marks its pane as not yet made.
void prepare_control(QlObject* control, QlObject* window_object);

// The language object of the pane with the focus, or null.
QlObject* focused_control_object();

// The window objects of the window list, newest first (no references added).
int32_t window_count();
QlObject* window_object_at(int32_t index);
// The window object of the frontmost runtime window, or null.
QlObject* front_window_object();

}  // namespace ql
