// RuntimeViewWindow: the window pane of a window object of compiled code. It turns the platform's
// messages into the object's events (Paint, mouse, keys, activation, geometry, closing).
#pragma once

#include "ui/window/window_pane.h"

namespace ql {

struct WindowControls;

class ViewWindow final : public WindowPane {
 public:
  ViewWindow(QlObject* window_object, int32_t frame_type, const Rect16& screen);
  ~ViewWindow() override;

  QlObject* language_object() override { return object_; }

  void draw() override;
  bool mouse_down(int32_t x, int32_t y, int32_t modifiers) override;
  bool contextual_mouse_down(int32_t x, int32_t y, int32_t modifiers) override;
  void mouse_drag(int32_t x, int32_t y) override;
  void mouse_up(int32_t x, int32_t y) override;
  void mouse_move(int32_t x, int32_t y) override;
  bool key_down(int32_t key) override;
  void drop_object(QlObject* drag_item) override;

  void activate() override;
  void deactivate() override;
  void mouse_exit() override;
  void moved() override;
  void resized() override;
  void size_limits(MINMAXINFO* info) override;
  void close_request() override;

  // Closes the window: focus cleared, every control's Close, the window's Close, the controls released and
  // the platform window destroyed (which destroys this pane).
  void close() override;

 private:
  QlObject* object_;                           // held with a reference while the pane lives
  WindowControls* closed_controls_ = nullptr;  // the control table once the window closed
  // The size the last Resized reported. Locked controls follow the change from it: a position setter has
  // already stored the new size in the window's bounds by the time the platform reports it.
  int32_t reported_width_ = -1, reported_height_ = -1;
};

// The window pane of a window object, or null when it is not built.
ViewWindow* view_window_of(QlObject* window_object);

}  // namespace ql
