// The base of panes that wrap a system control (button, edit, combo box): the control carries the
// "QLInstance" property that leads back to the pane, gets the pane's font from the shared cache, and may be
// subclassed so that the pane sees its messages first.
#pragma once

#include "ui/panes/control_pane.h"

namespace ql {

class NativeControlPane : public ControlPane {
 public:
  NativeControlPane(QlObject* control, WindowPane* window, const Rect16& bounds);
  ~NativeControlPane()
      override;  // restores the control's procedure, removes the property, gives back the font

  // Passes the message to the control's own procedure.
  LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;

  // The system control (the pane's own window, or a child of it).
  HWND control_hwnd() const { return control_hwnd_; }
  // Sends the pane's font to the control, from the cache.
  void apply_font();
  // Offers Tab, Return and Escape (and, for a control that asks, more keys) to the window's keyboard
  // handling; true when it took the key.
  bool offer_to_window(int32_t key);

 protected:
  // Marks hwnd as this pane's control: the property, the font.
  void adopt(HWND hwnd);
  void subclass();

 private:
  HWND control_hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool subclassed_ = false;
  HFONT font_ = nullptr;
};

}  // namespace ql
