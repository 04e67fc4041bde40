// Top-level windows: QLWindow, the pane of every window, and RuntimeViewWindow, the window of a language
// object of compiled code, which raises that object's events. Also the process's window list, the stack of
// modal windows and the windows that own things (the menu bar, the MDI frame).
#pragma once

#include <windows.h>

#include <ole2.h>

#include <string>
#include <vector>

#include "ui/panes/pane.h"

namespace ql {

// Frame types 0 to 9; the window description's Frame property selects one.
constexpr int32_t kFrameTypeCount = 10;
bool frame_is_modal(int32_t frame_type);

class WindowPane : public Pane {
 public:
  // Creates the platform window, hidden, for a content rectangle in screen coordinates (or MDI client
  // coordinates), and puts it at the head of the window list.
  WindowPane(int32_t frame_type, bool close_box, bool grow_box, bool zoom_box, const Rect16& screen,
             const std::string& title);
  ~WindowPane() override;

  bool created() const { return hwnd_ != nullptr; }

  // Window operations, in the slots the pane table gives windows.
  virtual void paint_window();                 // 58
  virtual void activate();                     // 59
  virtual void deactivate();                   // 60
  virtual void mouse_enter();                  // 61
  virtual void mouse_exit();                   // 62
  virtual void moved();                        // 63
  virtual void resized();                      // 64
  virtual void size_limits(MINMAXINFO* info);  // 65
  virtual void close_request();                // 66

  // The window's own keys: Return and Enter push the default button, Escape the cancel button, Tab moves
  // the focus.
  bool key_down(int32_t key) override;
  // Who a key that reaches the window is for: the focused pane when it lies in this window, else the window.
  Pane* key_target();

  // Showing and hiding: SW_SHOWNORMAL then to the top; hiding clears should-be-shown.
  void show();
  void hide();

  // Deferred geometry: the wanted screen rectangle is what position setters change; apply_geometry moves
  // the platform window when it differs and raises Resized when a resize is pending.
  Rect16 wanted;
  bool resize_pending = false;
  void apply_geometry();

  // Re-reads the client rectangle (screen coordinates, or MDI client coordinates) into wanted and bounds.
  Rect16 client_rect() const;

  int32_t frame_type;
  bool holds_menu_bar = false;
  bool active = false;
  bool should_be_shown = false;
  bool resizable;
  bool has_back_color = false;
  COLORREF back_colorref = 0xFFFFFF;

  // The pane that last had the focus in this window, given it back when the window is activated.
  Pane* last_focus = nullptr;

  // Takes the window off the window list, the modal stack and the other registers of windows: a closed
  // window is no longer one of them, even while its pane lives on to the end of a message.
  void leave_window_list();

  WindowPane* next_window = nullptr;  // the window list, newest first
  IDropTarget* drop_target = nullptr;

  // Fills the client area with the back colour, or the button-face colour without one.
  void erase(HDC dc);

  // Handled messages; everything else goes to the default procedure.
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  bool mdi_child_ = false;
};

// The process's windows, newest first.
WindowPane* first_window();
// Destroying a window pane unlinks it; this is how a pane leaves the list.
void unlink_window(WindowPane* window);

// The owner of a new top-level window and of message boxes: the most recent visible modal window, else the
// MDI frame (MDI) or the application's main window.
HWND owner_window();
void push_modal(WindowPane* window);
bool modal_window_up();

// The platform window of the MDI frame and its client, null unless the application runs in MDI.
HWND mdi_frame();
HWND mdi_client();

// The window that holds the menu bar.
WindowPane* menu_bar_window();

}  // namespace ql
