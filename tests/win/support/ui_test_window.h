// Windows of the runtime built in-process the way RuntimeCreateWindow builds them from image data, for tests
// and benchmarks of the windows layer: test classes whose handlers are C++ functions, a window description
// encoded and installed as image data, the event loop pumped, and points on the screen.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "objects/class_object.h"
#include "quillet/types.h"

namespace ql::testing {

// Defines the built-in classes (once per process, in RuntimeInit's order) and registers the window classes.
void define_ui_test_classes();

// An anonymous subclass of a built-in class, carrying a test's handlers as hooks and methods.
class TestClass {
 public:
  explicit TestClass(const char* builtin);
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
  const TestClass* cls;
  Properties properties;  // in stream order; Name, Left, Top, Width and Height at least
};

// Properties every control record starts with, for a control named name at (left, top) of width by height.
Properties control_properties(const std::string& name, int left, int top, int width, int height);

// A window with its content at (left, top) of the screen. Its class array puts RuntimeException at index 0
// (for catch_raise_fixture), the window's class at 1 and the controls' classes after it.
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

// Handles whatever arrives for ms milliseconds, as the event loop would (messages, pointer polling, idle
// calls, deferred geometry).
void pump(int ms = 30);
// Pumps until done() answers true or ms pass; answers done().
bool pump_until(const std::function<bool()>& done, int ms = 3000);

// Runtime strings as test values.
QlString runtime_string(const std::string& text);  // a new reference
std::string text_of(QlString s);                   // borrows
std::string take_text(QlString s);                 // gives the reference back

}  // namespace ql::testing
