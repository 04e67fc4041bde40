// The EditField language object: a single- or multi-line text field's settings and its text as last set,
// exactly the size the SDK gives the class.
#pragma once

#include "ui/controls/control_object.h"

namespace ql {

struct EditFieldFields {
  ControlFields control;
  uint8_t border, multi_line, scroll_bar, read_only;
  QlString text;  // as last set; a closed field answers it
  int32_t limit_text;
  uint32_t back_color, text_color;  // 0x00RRGGBB
  uint8_t password, styled, accept_tabs;
};

struct EditFieldObject : EditFieldFields {
  uint8_t reserved[sizeof(QlEditFieldBase) - sizeof(EditFieldFields)];
};
static_assert(sizeof(EditFieldObject) == sizeof(QlEditFieldBase), "EditField matches the SDK's layout");

inline EditFieldFields* as_edit_field_fields(QlObject* object) {
  return reinterpret_cast<EditFieldFields*>(object);
}

}  // namespace ql
