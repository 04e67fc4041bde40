// The pane tree behind every window and visible control: a pane owns a platform window (or none), paints,
// receives the platform's messages and turns them into events of its language object. Every pane class
// shares this one table of operations, so the window procedures call them by position.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "quillet/types.h"
#include "ui/panes/geometry.h"

namespace ql {

class WindowPane;

// State messages, sent to a pane and forwarded to its children first.
enum StateMessage : int32_t {
  kStateEnable = 5,
  kStateDisable = 6,
  kStateShow = 7,
  kStateHide = 8,
  kStateWindowActivated = 1000,
  kStateWindowDeactivated = 1001,
};

// Mouse modifiers in the event-modifier bits compiled code sees.
constexpr int32_t kModifierControl = 0x1000;
constexpr int32_t kModifierShift = 0x0200;
int32_t mouse_modifiers(WPARAM key_state);

class Pane {
 public:
  // A pane starts shown, with its container shown, and enabled.
  Pane(WindowPane* window, const Rect16& bounds);
  Pane(const Pane&) = delete;
  Pane& operator=(const Pane&) = delete;

  // The operations, in slot order.
  virtual ~Pane();                                // 0: releases the pane and its platform window
  virtual void begin_drawing();                   // 1
  virtual void set_origin(int32_t x, int32_t y);  // 2
  virtual void end_drawing();                     // 3
  virtual void draw();                            // 4: subclasses paint themselves here
  virtual bool accepts_drop(int32_t format);      // 5 (housekeeping: drag and drop)
  virtual bool mouse_down(int32_t x, int32_t y, int32_t modifiers);             // 6
  virtual bool contextual_mouse_down(int32_t x, int32_t y, int32_t modifiers);  // 7
  virtual void mouse_drag(int32_t x, int32_t y);                                // 8
  virtual void mouse_move(int32_t x, int32_t y);                                // 9
  virtual void mouse_up(int32_t x, int32_t y);                                  // 10
  virtual QlObject* language_object();  // 11 (housekeeping: the object it serves)
  virtual bool can_take_focus();        // 12 (housekeeping)
  // 13 (housekeeping): the brush answering WM_CTLCOLOREDIT/STATIC for a control with colours of its own,
  // after setting the DC's colours; null for the system's.
  virtual HBRUSH control_color(HDC dc);
  virtual void drop_object(QlObject* drag_item);               // 17
  virtual void lose_focus();                                   // 24
  virtual void gain_focus();                                   // 25
  virtual void set_bounds(const Rect16& bounds, bool redraw);  // 27
  virtual bool key_down(int32_t key);                          // 28
  virtual void state_message(int32_t code);                    // 31
  virtual void idle();                                         // 32
  virtual bool adjust_cursor(int32_t x, int32_t y);            // 35
  virtual void invalidate();                                   // 36
  virtual void close();                                        // 40
  virtual void set_enabled(bool enabled, bool redraw);         // 43
  virtual void set_shown(bool shown);                          // 44
  virtual void set_parent_shown(bool shown);                   // 45
  virtual void show_native(bool show);                         // 46
  virtual bool command(int32_t notification);                  // 58: WM_COMMAND from a native control
  virtual LRESULT notify(NMHDR* header);                       // 59: WM_NOTIFY
  virtual void horizontal_scroll(int32_t code);                // 60
  virtual void vertical_scroll(int32_t code);                  // 61
  virtual void draw_item(DRAWITEMSTRUCT* item);                // 62
  virtual LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam);  // 63: subclassed controls

  // The tree.
  void append_child(Pane* child);
  void remove_child(Pane* child);
  // Checks the links of the children: each owned by this pane, listed once, the list ending.
  void check_children() const;
  Pane* first_child() const { return first_child_; }
  Pane* next_sibling() const { return next_sibling_; }
  Pane* owner() const { return owner_; }
  WindowPane* window() const { return window_; }

  // Creates the pane's own platform window: class name, extra styles and caption; the parent is the
  // window's, or that of a visible sibling with the same key whose bounds hold the new ones.
  bool create_native(const char* class_name, DWORD style, DWORD ex_style, const char* caption,
                     int32_t extra_height = 0);
  HWND hwnd() const { return hwnd_; }
  // Where the pane's window lies inside its parent's client area.
  RECT rect_in_parent(int32_t extra_height = 0) const;

  // The DC to draw with: the paint DC during a paint, else one from GetDC shared through a use count. The
  // viewport origin is minus the pane's left and top, so drawing uses window content coordinates.
  HDC acquire_dc();
  void release_dc(HDC dc);
  void set_paint_dc(HDC dc) { paint_dc_ = dc; }
  HDC paint_dc() const { return paint_dc_; }

  // Paints the pane's platform window now (WM_PAINT of "QL_Pane" windows).
  void paint();

  // Visible on screen: shown, and its container shown.
  bool visible() const { return shown_ && parent_shown_; }

  Rect16 bounds;
  int32_t width = 0, height = 0;
  QlString font_name = nullptr;  // the pane's reference
  int32_t font_size = 12;
  uint8_t font_style = 0;  // bit 0 bold, 1 italic, 2 underline
  int32_t key = 0;         // panes sharing a container page
  bool closed = false;     // set when closing begins: no further events
  bool no_redraw = false;
  bool shown() const { return shown_; }
  bool parent_shown() const { return parent_shown_; }
  bool enabled() const { return enabled_; }

 protected:
  bool shown_ = true;
  bool parent_shown_ = true;
  bool enabled_ = true;
  HWND hwnd_ = nullptr;

 private:
  WindowPane* window_;
  Pane* owner_ = nullptr;
  Pane* next_sibling_ = nullptr;
  Pane* first_child_ = nullptr;
  HDC paint_dc_ = nullptr;
  HDC drawing_dc_ = nullptr;
  int32_t drawing_dc_uses_ = 0;
};

// The pane a platform window belongs to: window long 0 for windows and "QL_Pane" children, the "QLInstance"
// property for native controls.
Pane* pane_from_hwnd(HWND hwnd);
extern const char kInstanceProperty[];

// What a pane asks of the top-level window it belongs to; the window pane defines them.
HWND window_hwnd(const WindowPane* window);
void apply_window_geometry(WindowPane* window);
// The window forgets the pane as the one to give the focus back to.
void forget_window_focus(WindowPane* window, Pane* pane);

}  // namespace ql
