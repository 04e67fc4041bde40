// What the plug-in tests share: the runtime defined as RuntimeInit defines it, the DLLs built next to the
// tests as stored plug-ins, quilapp1 installed once, windows built from descriptions, pumping the event
// loop, and the process's own message boxes answered from a second thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "image/plugin_chain.h"
#include "objects/class_object.h"
#include "quillet/types.h"

namespace ql::plugin_testing {

// Classes, window classes and the host's entry-point lookup, once per process.
void start_runtime();

// A DLL built next to the tests, as the bytes an image would store.
std::vector<uint8_t> built_dll(const std::string& file_name);
image::StoredPlugin stored_plugin(const std::string& file_name, const std::vector<uint8_t>& bytes);

// quilapp1, installed from a folder of its own the first time a test asks.
void install_quilapp1();

// A subclass of base as the image makes one for a control, with the given event handlers.
ClassObject* subclass_of(ClassObject* base, std::vector<HookRecord> hooks);

using Properties = std::vector<std::pair<std::string, std::string>>;
struct ControlSpec {
  ClassObject* cls;
  Properties properties;  // Name, Left, Top, Width and Height at least
};

// A window of 400 by 300 at (40, 40) of the screen with a white background, built from a description holding
// the controls, shown and painted; closed when the object goes.
class TestWindow {
 public:
  explicit TestWindow(const std::vector<ControlSpec>& controls);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  QlObject* object() const { return window_; }
  HWND hwnd() const;
  QlObject* control(const std::string& name) const;  // borrowed
  POINT on_screen(int32_t x, int32_t y) const;       // window content coordinates to the screen

 private:
  QlObject* window_ = nullptr;
  std::vector<uint8_t> description_;
};

// Runs passes of the event loop for about ms milliseconds, or until done answers true.
void pump(int ms);
bool pump_until(const std::function<bool()>& done, int timeout_ms = 3000);

// Presses or releases the left button at a screen point through real input.
void mouse_button(POINT screen, bool down);

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

}  // namespace ql::plugin_testing
