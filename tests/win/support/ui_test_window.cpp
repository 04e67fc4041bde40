// Building test windows through RuntimeCreateWindow, running the event loop until conditions hold, the test
// clock and the process's own message boxes.
#include "ui_test_window.h"

#include <cstring>

#include "app/app_steps.h"
#include "app/event_loop.h"
#include "app/image_data.h"
#include "containers/variant.h"
#include "files/file_classes.h"
#include "image/window_description.h"
#include "message_boxes.h"
#include "objects/class_array.h"
#include "objects/class_registry.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "platform/platform.h"
#include "plugins/plugin_host.h"
#include "quillet/windows.h"
#include "start/entry_point_table.h"
#include "ui/controls/control_object.h"
#include "ui/graphics/graphics_state.h"
#include "ui/panes/pane.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"
#include "ui/window/control_table.h"
#include "ui/window/view_window.h"
#include "ui/window/window_object.h"
#include "values/string.h"

namespace ql::testing {

void define_ui_test_classes() {
  static bool defined = false;
  if (defined) return;
  defined = true;
  register_window_classes();
  define_object_classes();
  define_variant_class();
  define_file_classes();
  define_ui_classes();
  define_app_classes();
  set_entry_point_lookup(entry_point_address);
}

ClassObject* ui_class(const char* name) {
  define_ui_test_classes();
  return builtin_class(name);
}

TestClass::TestClass(const char* builtin) : TestClass(ui_class(builtin)) {}

TestClass::TestClass(ClassObject* super) : cls_(std::make_unique<ClassObject>()) {
  define_ui_test_classes();
  cls_->superclass = super;
  cls_->instance_size = super ? super->instance_size : 0;
}

TestClass::~TestClass() = default;

Properties control_properties(const std::string& name, int left, int top, int width, int height,
                              const Properties& more) {
  Properties p = {{"Name", name},
                  {"Index", "-2147483648"},
                  {"Visible", "True"},
                  {"Left", std::to_string(left)},
                  {"Top", std::to_string(top)},
                  {"Width", std::to_string(width)},
                  {"Height", std::to_string(height)}};
  p.insert(p.end(), more.begin(), more.end());
  return p;
}

TestWindow::TestWindow(std::vector<TestControl> controls, int left, int top, int width, int height,
                       const TestClass* window_class) {
  define_ui_test_classes();
  if (!window_class) {
    own_window_class_ = std::make_unique<TestClass>("Window");
    window_class = own_window_class_.get();
  }
  classes_ = {builtin_class("RuntimeException"), window_class->get()};
  for (const TestControl& control : controls) classes_.push_back(control.cls);
  ClassArray array;
  array.classes = classes_;
  array.referenced_names.assign(classes_.size(), std::string());
  install_class_array(std::move(array));

  const Properties window_properties = {{"Name", "TestWindow"},
                                        {"Frame", "0"},
                                        {"HasBackColor", "True"},
                                        {"BackColor", "16777215"},
                                        {"Title", "Test window"},
                                        {"Visible", "True"},
                                        {"Placement", "5"},
                                        {"Left", std::to_string(left)},
                                        {"Top", std::to_string(top)},
                                        {"Width", std::to_string(width)},
                                        {"Height", std::to_string(height)}};
  image::WindowDescription description;
  description.class_index = 1;
  for (const auto& [name, value] : window_properties) description.properties.push_back({name, value});
  for (size_t i = 0; i < controls.size(); ++i) {
    image::ControlRecord record;
    record.class_index = static_cast<int32_t>(i + 2);
    for (const auto& [name, value] : controls[i].properties) record.properties.push_back({name, value});
    description.controls.push_back(std::move(record));
  }
  std::vector<uint8_t> stream = image::encode_window_description(description);
  uint32_t length = static_cast<uint32_t>(stream.size());
  description_.resize(4 + stream.size());
  std::memcpy(description_.data(), &length, 4);
  std::memcpy(description_.data() + 4, stream.data(), stream.size());
  set_image_data(description_.data(), static_cast<uint32_t>(description_.size()));
  window_ = RuntimeCreateWindow(description_.data(), &variable_);
  if (!window_ || !pump_until([&] { return hwnd() && IsWindowVisible(hwnd()); })) return;
  SetForegroundWindow(hwnd());
  UpdateWindow(hwnd());
  settle();
}

TestWindow::~TestWindow() {
  close();
  release_object(window_);
  install_class_array(ClassArray());
}

bool TestWindow::built() const { return window_ && view_window_of(window_); }

QlObject* TestWindow::control(const std::string& name) const {
  if (!built()) return nullptr;
  return as_window_fields(window_)->controls->find(name);
}

Pane* TestWindow::pane(const std::string& name) const {
  QlObject* found = control(name);
  return found ? as_control_fields(found)->pane : nullptr;
}

HWND TestWindow::hwnd() const { return built() ? view_window_of(window_)->hwnd() : nullptr; }

POINT TestWindow::screen_point(int x, int y) const {
  POINT p = {x, y};
  ClientToScreen(hwnd(), &p);
  return p;
}

void TestWindow::close() {
  if (ViewWindow* pane = built() ? view_window_of(window_) : nullptr) pane->close();
  settle();
}

namespace {

// One pass of the event loop, which may wait for a message: a thread timer ends the wait when nothing comes.
// Its message comes only when nothing else is queued, so paints still come through.
void one_pass() {
  static const UINT_PTR wake = SetTimer(nullptr, 0, 5, nullptr);
  (void)wake;
  run_event_loop_pass();
}

// Nothing queued but the timer's message: input, posted and sent messages, painting.
constexpr UINT kWork = QS_INPUT | QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE;

bool quiet() {
  return HIWORD(GetQueueStatus(kWork)) == 0 && !(GetKeyState(VK_LBUTTON) & 0x8000) &&
         !(GetKeyState(VK_RBUTTON) & 0x8000);
}

}  // namespace

void run_passes(int n) {
  for (int i = 0; i < n; ++i) one_pass();
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(timeout_ms);
  while (!done()) {
    if (static_cast<int32_t>(end - GetTickCount()) <= 0) return done();
    one_pass();
  }
  return true;
}

bool settle(int timeout_ms) {
  int quiet_passes = 0;
  return pump_until([&] { return (quiet_passes = quiet() ? quiet_passes + 1 : 0) >= 2; }, timeout_ms);
}

void repaint(Pane* pane) {
  RedrawWindow(pane->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  settle();
}

driver::ScreenCapture capture(Pane* pane) {
  end_current_graphics();
  GdiFlush();
  settle();
  RECT r;
  GetClientRect(pane->hwnd(), &r);
  MapWindowPoints(pane->hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return driver::ScreenCapture(r);
}

COLORREF pixel(const driver::ScreenCapture& capture, int32_t x, int32_t y) {
  return capture.at({capture.rect().left + x, capture.rect().top + y});
}

void mouse_button(POINT screen, bool down) {
  SetCursorPos(screen.x, screen.y);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

std::atomic<uint32_t> TestClock::now_{0x10000};

TestClock::TestClock() { platform::set_tick_source(read); }
TestClock::~TestClock() { platform::set_tick_source(nullptr); }
uint32_t TestClock::read() { return now_; }

OwnMessageBoxes::OwnMessageBoxes()
    : thread_([this] {
        harness::MessageBoxAnswerer answerer(GetCurrentProcessId());
        size_t recorded = 0;
        while (running_) {
          {
            // Held while a box is answered, so that once its caller goes on the box's text is here.
            std::lock_guard<std::mutex> lock(mutex_);
            answerer.poll();
            for (; recorded < answerer.seen().size(); ++recorded)
              texts_.push_back(answerer.seen()[recorded].text);
          }
          Sleep(20);
        }
      }) {}

OwnMessageBoxes::~OwnMessageBoxes() {
  running_ = false;
  thread_.join();
}

std::vector<std::string> OwnMessageBoxes::texts() {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_;
}

QlString runtime_string(const std::string& text) {
  return string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
}

std::string text_of(QlString s) {
  return std::string(string_cview(s), static_cast<size_t>(string_length(s)));
}

std::string take_text(QlString s) {
  std::string text = text_of(s);
  string_release(s);
  return text;
}

}  // namespace ql::testing
