// The pane of a plug-in control: a "QL_Pane" child with WS_EX_TRANSPARENT over the control's bounds whose
// operations forward to the behaviour table the plug-in registered.
#pragma once

#include <windows.h>

#include "plugins/plugin_classes.h"
#include "ui/panes/control_pane.h"

namespace ql {

class PluginPane final : public ControlPane {
 public:
  PluginPane(QlObject* control, WindowPane* window, const PluginControl& registration);
  ~PluginPane() override;

  // Makes the platform window, starts the idle task when the behaviour has one, and runs its open function
  // with this pane as the current drawing port.
  void open();

  void draw() override;
  bool mouse_down(int32_t x, int32_t y, int32_t modifiers) override;
  void mouse_drag(int32_t x, int32_t y) override;
  void mouse_up(int32_t x, int32_t y) override;
  bool can_take_focus() override;
  void gain_focus() override;
  void lose_focus() override;
  // The key's character in the low byte, its virtual-key code in the next (the character when 0).
  bool key_down(int32_t key) override;
  void state_message(int32_t code) override;
  void invalidate() override;
  void close() override;
  bool command(int32_t notification) override;
  // The pane's platform window is subclassed so that notifications of child windows a plug-in makes in it
  // reach command.
  LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;

  // Invalidates a rectangle in window content coordinates. A pane whose control reports its bounds as its
  // own drawing area repaints alone; any other lets the window repaint what lies beneath it first.
  void invalidate_area(const RECT& area);

  // Destroying the instance: from then on no behaviour function is called for it.
  void forget_instance() { instance_ = nullptr; }
  QlObject* instance() const { return instance_; }
  const PluginControl& registration() const { return control_; }
  // As the window last told its panes on activation.
  bool another_focusable_pane() const { return other_focusable_; }

 private:
  static void idle_tick(void* pane);
  void stop_idle();
  bool opaque() const { return control_.flags & QL_PLUGIN_OPAQUE_AREA; }
  const QlPluginBehaviour& behaviour() const { return *control_.behaviour; }

  QlObject* instance_;  // not held: the instance owns the pane
  const PluginControl& control_;
  WNDPROC previous_procedure_ = nullptr;
  int32_t idle_task_ = 0;
  bool other_focusable_ = false;
};

// The plug-in pane of a control, or null when it has none.
PluginPane* plugin_pane_of(QlObject* control);

}  // namespace ql
