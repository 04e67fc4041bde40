// The push button's pane: an outer "QL_Pane" holding a system BUTTON, which raises
// Action (after telling the button's receivers) when clicked or pushed.
#pragma once

#include "ui/controls/push_button_object.h"
#include "ui/panes/native_control_pane.h"

namespace ql {

class ButtonPane final : public NativeControlPane {
 public:
  ButtonPane(QlObject* button, WindowPane* window, const Rect16& bounds);
  // Takes the button's settings; the platform windows are made once it is seen.
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

 private:
  bool make_platform_window() override;
  bool shows_default_ = false;  // as the button shows once its platform window is made
};

// The button's pane, or null while it is not built.
ButtonPane* button_pane_of(QlObject* button);

}  // namespace ql
