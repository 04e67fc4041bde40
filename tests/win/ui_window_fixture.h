// Real windows for tests of the windows layer, built the way the runtime builds them: the classes defined
// once, a class array, a window description with its controls, RuntimeCreateWindow, a message pump, and
// the screen pixels of what the window shows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_steps.h"
#include "app/image_data.h"
#include "containers/variant.h"
#include "driver_pixels.h"
#include "files/file_classes.h"
#include "image/window_description.h"
#include "objects/class_array.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/windows.h"
#include "ui/controls/canvas_object.h"
#include "ui/controls/control_object.h"
#include "ui/events/event_messages.h"
#include "ui/graphics/graphics_state.h"
#include "ui/panes/pane.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"
#include "ui/window/control_table.h"
#include "ui/window/view_window.h"
#include "ui/window/window_object.h"
#include "unit/objects/object_test_support.h"

namespace ql::testing {

inline void define_ui_runtime() {
  static bool defined = false;
  if (defined) return;
  defined = true;
  define_object_classes();
  define_variant_class();
  define_file_classes();
  define_ui_classes();
  define_app_classes();
  register_window_classes();
}

// A built-in class of the runtime, its classes defined first.
inline ClassObject* ui_class(const char* name) {
  define_ui_runtime();
  return builtin_class(name);
}

// Handles messages for ms milliseconds (or until done answers true), applying window geometry and polling
// the pointer as the event loop does.
template <typename Done>
inline bool pump_until(Done done, int ms = 2000) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int32_t>(end - GetTickCount()) > 0) {
    apply_window_geometry();
    bool quit = false;
    take_message(5, quit);
    poll_pointer();
    if (done()) return true;
  }
  return done();
}
inline void pump(int ms = 200) {
  pump_until([] { return false; }, ms);
}

struct ControlSpec {
  ClassObject* cls;
  std::vector<std::pair<std::string, std::string>> properties;
};

// A window of the given controls at (left, top) of the screen, width by height, with its own class array
// (index 0 the window class, then one index per control class). Closed at the end of the test.
class DrawingWindow {
 public:
  DrawingWindow(int32_t width, int32_t height, std::vector<ControlSpec> controls,
                ClassObject* window_class = nullptr) {
    define_ui_runtime();
    if (!window_class) window_class = builtin_class("Window");
    ClassArray array;
    array.classes.push_back(window_class);
    image::WindowDescription description;
    description.class_index = 0;
    window_properties_ = {{"Left", "40"},
                          {"Top", "40"},
                          {"Width", std::to_string(width)},
                          {"Height", std::to_string(height)},
                          {"Visible", "True"},
                          {"Placement", "9"}};
    add(description.properties, window_properties_);
    for (const ControlSpec& control : controls) {
      array.classes.push_back(control.cls);
      image::ControlRecord record;
      record.class_index = static_cast<int32_t>(array.classes.size() - 1);
      add(record.properties, control.properties);
      description.controls.push_back(std::move(record));
    }
    array.referenced_names.assign(array.classes.size(), std::string());
    install_class_array(std::move(array));
    std::vector<uint8_t> stream = image::encode_window_description(description);
    buffer_.resize(4 + stream.size());
    uint32_t length = static_cast<uint32_t>(stream.size());
    std::memcpy(buffer_.data(), &length, 4);
    std::memcpy(buffer_.data() + 4, stream.data(), stream.size());
    set_image_data(buffer_.data(), static_cast<uint32_t>(buffer_.size()));
    window_ = RuntimeCreateWindow(buffer_.data(), &variable_);
    pump_until([this] { return hwnd() && IsWindowVisible(hwnd()); });
    if (hwnd()) {
      SetForegroundWindow(hwnd());
      UpdateWindow(hwnd());
    }
    pump(100);
  }
  ~DrawingWindow() {
    close_all_windows();
    release_object(window_);  // the reference RuntimeCreateWindow answered with
    install_class_array(ClassArray());
  }
  DrawingWindow(const DrawingWindow&) = delete;
  DrawingWindow& operator=(const DrawingWindow&) = delete;

  QlObject* object() const { return window_; }
  HWND hwnd() const {
    return window_ && as_window_fields(window_)->pane ? as_window_fields(window_)->pane->hwnd() : nullptr;
  }
  QlObject* control(size_t n) const {
    WindowControls* controls = window_ ? as_window_fields(window_)->controls : nullptr;
    return controls && n < controls->controls.size() ? controls->controls[n] : nullptr;
  }
  Pane* pane_of(size_t n) const { return control(n) ? as_control_fields(control(n))->pane : nullptr; }

  // Paints the pane's window now, as a WM_PAINT would.
  static void repaint(Pane* pane) {
    RedrawWindow(pane->hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump(50);
  }

  // What the screen shows of the pane's window now, after whatever state draws has given back its DC.
  static driver::ScreenCapture capture(Pane* pane) {
    end_current_graphics();
    GdiFlush();
    pump(30);
    RECT r;
    GetClientRect(pane->hwnd(), &r);
    MapWindowPoints(pane->hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return driver::ScreenCapture(r);
  }

 private:
  static void add(std::vector<image::PropertyPair>& pairs,
                  const std::vector<std::pair<std::string, std::string>>& texts) {
    for (const auto& [name, value] : texts) pairs.push_back({name, value});
  }

  std::vector<std::pair<std::string, std::string>> window_properties_;  // the description's texts
  std::vector<uint8_t> buffer_;
  QlObject* window_ = nullptr;
  QlObject* variable_ = nullptr;
};

// The colour at (x, y) of a capture, in the captured window's client coordinates.
inline COLORREF pixel(const driver::ScreenCapture& capture, int32_t x, int32_t y) {
  return capture.at({capture.rect().left + x, capture.rect().top + y});
}

// A Canvas subclass whose handlers are the test's.
inline std::unique_ptr<ClassObject> canvas_subclass(std::vector<HookRecord> hooks) {
  auto cls = make_class("TestCanvas", ui_class("Canvas"), sizeof(CanvasObject));
  cls->hooks = std::move(hooks);
  return cls;
}

template <typename Routine>
inline HookRecord hook(const char* name, Routine routine) {
  return {name, 0, reinterpret_cast<uintptr_t>(routine)};
}

}  // namespace ql::testing
