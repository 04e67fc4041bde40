// The Control and RectControl language object, which every control's object begins with: the fields
// compiled code's property accessors read and write. Each control's struct has exactly the size the SDK gives
// its class, so compiled subclasses lay their fields behind it; the fields hold values even while no pane
// exists.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "objects/object.h"
#include "quillet/layouts.h"
#include "ui/panes/geometry.h"

namespace ql {

class Pane;
class WindowPane;

constexpr int32_t kNoIndex = static_cast<int32_t>(0x80000000u);

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

static_assert(sizeof(ControlObject) == sizeof(QlControlBase), "RectControl matches the SDK's layout");

inline ControlFields* as_control_fields(QlObject* object) { return reinterpret_cast<ControlFields*>(object); }

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
