// The PushButton language object and its pane: an outer "QL_Pane" holding a system BUTTON, which raises
// Action (after telling the button's receivers) when clicked or pushed.
#pragma once

#include "ui/native_control_pane.h"
#include "ui/ui_objects.h"

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

class ButtonPane final : public NativeControlPane {
 public:
  ButtonPane(QlObject* button, WindowPane* window, const Rect16& bounds);
  bool build();

  bool command(int32_t notification) override;
  LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;
  void set_bounds(const Rect16& bounds, bool redraw) override;
  void set_enabled(bool enabled, bool redraw) override;
  bool can_take_focus() override;
  void gain_focus() override;
  void lose_focus() override;

  // The receivers, then Action. Nothing once the window is closing.
  void click();
  void set_caption(QlString caption);
  // BS_DEFPUSHBUTTON on or off.
  void show_as_default(bool on);

  bool is_default = false;
  bool is_cancel = false;
};

// The button's pane, or null while it is not built.
ButtonPane* button_pane_of(QlObject* button);

}  // namespace ql
