// The StaticText language object: its caption, alignment and colour, exactly the size the SDK gives the
// class.
#pragma once

#include "ui/controls/control_object.h"

namespace ql {

enum StaticAlignment : int32_t { kStaticLeft = 0, kStaticCentre = 1, kStaticRight = 2 };

struct StaticTextFields {
  ControlFields control;
  QlString caption;
  int32_t alignment;
  uint32_t text_color;  // 0x00RRGGBB
  uint8_t multi_line;
};

struct StaticTextObject : StaticTextFields {
  uint8_t reserved[sizeof(QlStaticTextBase) - sizeof(StaticTextFields)];
};
static_assert(sizeof(StaticTextObject) == sizeof(QlStaticTextBase), "StaticText matches the SDK's layout");

inline StaticTextFields* as_static_text_fields(QlObject* object) {
  return reinterpret_cast<StaticTextFields*>(object);
}

}  // namespace ql
