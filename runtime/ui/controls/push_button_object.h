// The PushButton language object: its caption, default and cancel roles and receivers, exactly the size the
// SDK gives the class.
#pragma once

#include "ui/controls/control_object.h"

namespace ql {

class Receivers;

struct PushButtonFields {
  ControlFields control;
  QlString caption;
  uint8_t is_default, is_cancel;
  Receivers* receivers;  // told PerformAction on every click
};

struct PushButtonObject : PushButtonFields {
  uint8_t reserved[sizeof(QlPushButtonBase) - sizeof(PushButtonFields)];
};
static_assert(sizeof(PushButtonObject) == sizeof(QlPushButtonBase), "PushButton matches the SDK's layout");

inline PushButtonFields* as_push_button_fields(QlObject* object) {
  return reinterpret_cast<PushButtonFields*>(object);
}

}  // namespace ql
