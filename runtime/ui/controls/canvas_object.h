// The Canvas language object: a control with a backdrop and its one Graphics object, exactly the size the
// SDK gives the class.
#pragma once

#include "ui/controls/control_object.h"

namespace ql {

struct CanvasFields {
  ControlFields control;
  QlObject* backdrop;   // a Picture, with a reference
  QlObject* graphics;   // the canvas's one Graphics object, made on first use
  uint8_t transparent;  // made with WS_EX_TRANSPARENT
};

struct CanvasObject : CanvasFields {
  uint8_t reserved[sizeof(QlCanvasBase) - sizeof(CanvasFields)];
};

static_assert(sizeof(CanvasObject) == sizeof(QlCanvasBase), "Canvas matches the SDK's layout");

inline CanvasFields* as_canvas_fields(QlObject* object) { return reinterpret_cast<CanvasFields*>(object); }

}  // namespace ql
