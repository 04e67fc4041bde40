// The language objects of windows and controls: the fields compiled code's property accessors read and
// write. Each struct has exactly the size the SDK gives its class, so compiled subclasses lay their fields
// behind it; the fields hold values even while no pane exists.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "objects/object.h"
#include "quillet/layouts.h"
#include "ui/geometry.h"

namespace ql {

class Pane;
class ViewWindow;
class WindowPane;
struct WindowControls;

constexpr int32_t kNoIndex = static_cast<int32_t>(0x80000000u);

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
  QlObject** variable;        // compiled code's window variable, cleared when the window closes
  WindowControls* controls;   // the control table and groups; made when the window is built
  QlObject* graphics;         // the window's one Graphics object, made on first use
  QlString accepted_file_types;  // file type names dropped files may have, separated by ";"
  uint8_t accepts_text;          // takes dropped text
};

struct WindowObject : WindowFields {
  uint8_t reserved[sizeof(QlWindowBase) - sizeof(WindowFields)];
};

// Control and RectControl. The root's two words hold the window object and the control-array index.
struct ControlFields {
  ObjectBase base;
  Pane* pane;     // null until made, and again after its window closed
  Rect16 bounds;  // window content coordinates
  QlString name;
  QlString balloon_help;
  QlString disabled_balloon_help;
  QlObject* container;  // the canvas enclosing the control when it was made, without a reference
  int32_t tab_panel_index;
  QlString text_font;
  int32_t text_size;
  uint8_t visible, enabled, lock_left, lock_top, lock_right, lock_bottom;
  uint8_t pane_pending;  // a pane is to be made for it
  uint8_t mouse_inside;
  uint8_t bold, italic, underline, use_focus_ring;
  WindowPane* window_pane;  // the platform window it belongs to
  uint8_t accepts_text;     // takes dropped text
  QlString accepted_file_types;
};

struct ControlObject : ControlFields {
  uint8_t reserved[sizeof(QlControlBase) - sizeof(ControlFields)];
};

struct CanvasFields {
  ControlFields control;
  QlObject* backdrop;  // a Picture, with a reference
  QlObject* graphics;  // the canvas's one Graphics object, made on first use
  uint8_t transparent;  // made with WS_EX_TRANSPARENT
};

struct CanvasObject : CanvasFields {
  uint8_t reserved[sizeof(QlCanvasBase) - sizeof(CanvasFields)];
};

static_assert(sizeof(WindowObject) == sizeof(QlWindowBase), "Window matches the SDK's layout");
static_assert(sizeof(ControlObject) == sizeof(QlControlBase), "RectControl matches the SDK's layout");
static_assert(sizeof(CanvasObject) == sizeof(QlCanvasBase), "Canvas matches the SDK's layout");

inline WindowFields* as_window_fields(QlObject* object) { return reinterpret_cast<WindowFields*>(object); }
inline ControlFields* as_control_fields(QlObject* object) { return reinterpret_cast<ControlFields*>(object); }
inline CanvasFields* as_canvas_fields(QlObject* object) { return reinterpret_cast<CanvasFields*>(object); }

inline QlObject* control_window(QlObject* control) {
  return reinterpret_cast<QlObject*>(as_control_fields(control)->base.subclass_words[0]);
}
inline void set_control_window(QlObject* control, QlObject* window) {
  as_control_fields(control)->base.subclass_words[0] = reinterpret_cast<uintptr_t>(window);
}
inline int32_t control_index(QlObject* control) {
  return static_cast<int32_t>(as_control_fields(control)->base.subclass_words[1]);
}
inline void set_control_index(QlObject* control, int32_t index) {
  as_control_fields(control)->base.subclass_words[1] = static_cast<uintptr_t>(static_cast<uint32_t>(index));
}

}  // namespace ql
