// Windows of the runtime built in-process the way RuntimeCreateWindow builds them from image data, for the
// tests and benchmarks of the windows layer and of plug-ins: test classes whose handlers are C++ functions, a
// window description encoded and installed as image data, the event loop run until a condition holds, what a
// pane shows on the screen, a clock the test sets, and the process's own message boxes answered.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "driver_pixels.h"
#include "objects/class_object.h"
#include "quillet/types.h"

namespace ql {
class Pane;
}

namespace ql::testing {

// Defines the built-in classes (once per process, in RuntimeInit's order), registers the window classes and
// lets plug-ins look up the entry points.
void define_ui_test_classes();

// A built-in class of the runtime, its classes defined first.
ClassObject* ui_class(const char* name);

// An anonymous subclass of a built-in or plug-in class, carrying a test's handlers as hooks and methods.
class TestClass {
 public:
  explicit TestClass(const char* builtin);
  explicit TestClass(ClassObject* super);
  ~TestClass();
  TestClass(const TestClass&) = delete;
  TestClass& operator=(const TestClass&) = delete;

  template <typename Routine>
  TestClass& on(const char* event, Routine handler) {
    cls_->hooks.push_back({event, 0, reinterpret_cast<uintptr_t>(handler)});
    return *this;
  }
  template <typename Routine>
  TestClass& method(const char* name, Routine code) {
    cls_->methods.push_back({name, reinterpret_cast<uintptr_t>(code), 0});
    return *this;
  }
  ClassObject* get() const { return cls_.get(); }

 private:
  std::unique_ptr<ClassObject> cls_;
};

using Properties = std::vector<std::pair<std::string, std::string>>;

struct TestControl {
  TestControl(const TestClass* test_class, Properties p) : cls(test_class->get()), properties(std::move(p)) {}
  TestControl(ClassObject* c, Properties p) : cls(c), properties(std::move(p)) {}
  ClassObject* cls;
  Properties properties;  // in stream order; Name, Left, Top, Width and Height at least
};

// Properties every control record starts with, for a control named name at (left, top) of width by height,
// then the more given.
Properties control_properties(const std::string& name, int left, int top, int width, int height,
                              const Properties& more = {});

// A window with a white background and its content at (left, top) of the screen, shown, in front and
// painted. Its class array puts RuntimeException at index 0 (for catch_raise_fixture), the window's class at
// 1 and the controls' classes after it.
class TestWindow {
 public:
  TestWindow(std::vector<TestControl> controls, int left = 100, int top = 100, int width = 640,
             int height = 480, const TestClass* window_class = nullptr);
  ~TestWindow();  // closes the window if it is still open, and gives back the window object
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  bool built() const;
  QlObject* object() const { return window_; }
  QlObject* control(const std::string& name) const;  // borrowed; nil when the window has none of that name
  Pane* pane(const std::string& name) const;         // the control's pane, null before it has one
  HWND hwnd() const;
  // A point of the window's content area on the screen.
  POINT screen_point(int x, int y) const;
  // Closes the window now, as RuntimeCloseWindow would were CancelClose to agree.
  void close();

 private:
  std::vector<ClassObject*> classes_;
  std::vector<uint8_t> description_;
  QlObject* variable_ = nullptr;
  QlObject* window_ = nullptr;
  std::unique_ptr<TestClass> own_window_class_;
};

// n passes of the event loop, each taking what is queued; with a TestClock, what the loop does in them does
// not depend on how long they take.
void run_passes(int n);
// Passes of the event loop until done() answers true, at most timeout_ms; answers done().
bool pump_until(const std::function<bool()>& done, int timeout_ms = 3000);
// Passes of the event loop until this thread has nothing queued (input, posted messages, painting) twice in
// a row and no mouse button is held; false when that takes longer than timeout_ms.
bool settle(int timeout_ms = 3000);

// Paints the pane's window now, and what the screen shows of it once every graphics state has given back
// its DC; the colour at (x, y) of a capture in the captured window's client coordinates.
void repaint(Pane* pane);
driver::ScreenCapture capture(Pane* pane);
COLORREF pixel(const driver::ScreenCapture& capture, int32_t x, int32_t y);

// Presses or releases the left button at a screen point through real input.
void mouse_button(POINT screen, bool down);

// The runtime's millisecond clock, set by the test while the object lives.
class TestClock {
 public:
  TestClock();
  ~TestClock();
  void advance(uint32_t ms) { now_ += ms; }

 private:
  static uint32_t read();
  static std::atomic<uint32_t> now_;
};

// Answers every message box this process shows, from its own thread, and records the texts.
class OwnMessageBoxes {
 public:
  OwnMessageBoxes();
  ~OwnMessageBoxes();
  std::vector<std::string> texts();

 private:
  std::atomic<bool> running_{true};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

// Runtime strings as test values.
QlString runtime_string(const std::string& text);  // a new reference
std::string text_of(QlString s);                   // borrows
std::string take_text(QlString s);                 // gives the reference back

}  // namespace ql::testing
