// The Window language object (and Applet's and Dialog's): the fields compiled code's property accessors
// read and write, exactly the size the SDK gives the class, holding values even while no pane exists.
#pragma once

#include <stdint.h>

#include "objects/object.h"
#include "quillet/layouts.h"
#include "ui/panes/geometry.h"

namespace ql {

class ViewWindow;
struct WindowControls;

struct WindowFields {
  ObjectBase base;
  ViewWindow* pane;  // null until built and again after closing
  Rect16 bounds;     // content area, screen coordinates
  QlString title;
  QlObject* backdrop;  // a Picture, with a reference
  uint32_t back_color;
  int16_t min_width, min_height, max_width, max_height;  // 0: no limit
  uint8_t visible, has_back_color, close_box, grow_icon, zoom_icon;
  int32_t frame;
  int32_t placement;
  int32_t mac_proc_id;
  QlString name;
  QlString balloon_help;
  QlObject** variable;           // compiled code's window variable, cleared when the window closes
  WindowControls* controls;      // the control table and groups; made when the window is built
  QlObject* graphics;            // the window's one Graphics object, made on first use
  QlString accepted_file_types;  // file type names dropped files may have, separated by ";"
  uint8_t accepts_text;          // takes dropped text
};

struct WindowObject : WindowFields {
  uint8_t reserved[sizeof(QlWindowBase) - sizeof(WindowFields)];
};

static_assert(sizeof(WindowObject) == sizeof(QlWindowBase), "Window matches the SDK's layout");

inline WindowFields* as_window_fields(QlObject* object) { return reinterpret_cast<WindowFields*>(object); }

}  // namespace ql
