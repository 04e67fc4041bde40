// The PopupMenu language object: the initial rows and the receivers told of changes, exactly the size the
// SDK gives the class.
#pragma once

#include "ui/controls/control_object.h"

namespace ql {

class Receivers;

struct PopupMenuFields {
  ControlFields control;
  QlString initial_value;  // rows separated by carriage returns, consumed when the pane is made
  Receivers* receivers;    // told PerformAction after every Change
};

struct PopupMenuObject : PopupMenuFields {
  uint8_t reserved[sizeof(QlPopupMenuBase) - sizeof(PopupMenuFields)];
};
static_assert(sizeof(PopupMenuObject) == sizeof(QlPopupMenuBase), "PopupMenu matches the SDK's layout");

inline PopupMenuFields* as_popup_menu_fields(QlObject* object) {
  return reinterpret_cast<PopupMenuFields*>(object);
}

}  // namespace ql
