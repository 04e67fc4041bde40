// The plug-in tests' shared set-up.
#include "plugin_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>

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
#include "plugins/plugin_classes.h"
#include "plugins/plugin_host.h"
#include "plugins/plugin_install.h"
#include "program_runner.h"
#include "quillet/windows.h"
#include "start/entry_point_table.h"
#include "ui/controls/control_object.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"
#include "ui/window/view_window.h"
#include "ui/window/window_support.h"
#include "values/string.h"

namespace ql::plugin_testing {

void start_runtime() {
  static bool started = false;
  if (started) return;
  started = true;
  register_window_classes();
  define_object_classes();
  define_variant_class();
  define_file_classes();
  define_ui_classes();
  define_app_classes();
  set_entry_point_lookup(entry_point_address);
}

std::vector<uint8_t> built_dll(const std::string& file_name) {
  std::string bytes = harness::read_file(harness::program_folder() + file_name);
  EXPECT_FALSE(bytes.empty()) << file_name << " was not built next to the tests";
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

image::StoredPlugin stored_plugin(const std::string& file_name, const std::vector<uint8_t>& bytes) {
  return {file_name, bytes.data(), static_cast<uint32_t>(bytes.size())};
}

void install_quilapp1() {
  start_runtime();
  static bool installed = false;
  if (installed) return;
  installed = true;
  static const std::vector<uint8_t> bytes = built_dll("quilapp1.dll");
  std::string folder = harness::make_temp_folder("quilapp1");
  ASSERT_EQ(install_stored_plugin(stored_plugin("quilapp1.dll", bytes), {{folder}}), PluginInstall::kLoaded);
  complete_plugin_classes();
}

ClassObject* subclass_of(ClassObject* base, std::vector<HookRecord> hooks) {
  static auto* classes = new std::deque<ClassObject>;
  ClassObject& cls = classes->emplace_back();
  cls.superclass = base;
  cls.instance_size = base->instance_size;
  cls.hooks = std::move(hooks);
  return &cls;
}

TestWindow::TestWindow(const std::vector<ControlSpec>& controls) {
  start_runtime();
  ClassArray array;
  array.classes.push_back(builtin_class("Applet"));
  for (const ControlSpec& spec : controls) array.classes.push_back(spec.cls);
  array.referenced_names.assign(array.classes.size(), std::string());
  install_class_array(std::move(array));

  std::vector<std::pair<std::string, std::string>> window_pairs = {{"Name", "PluginTest"},
                                                                   {"Frame", "0"},
                                                                   {"Title", "Plug-in test"},
                                                                   {"Placement", "-1"},
                                                                   {"HasBackColor", "True"},
                                                                   {"BackColor", "16777215"},
                                                                   {"Left", "40"},
                                                                   {"Top", "40"},
                                                                   {"Width", "400"},
                                                                   {"Height", "300"},
                                                                   {"Visible", "True"}};
  image::WindowDescription description;
  description.class_index = 0;
  for (const auto& [name, value] : window_pairs) description.properties.push_back({name, value});
  for (size_t i = 0; i < controls.size(); ++i) {
    image::ControlRecord record;
    record.class_index = static_cast<int32_t>(i + 1);
    record.properties.push_back({"Index", "-2147483648"});
    for (const auto& [name, value] : controls[i].properties) record.properties.push_back({name, value});
    description.controls.push_back(std::move(record));
  }
  std::vector<uint8_t> stream = image::encode_window_description(description);
  uint32_t length = static_cast<uint32_t>(stream.size());
  description_.resize(4);
  memcpy(description_.data(), &length, 4);
  description_.insert(description_.end(), stream.begin(), stream.end());
  set_image_data(description_.data(), static_cast<uint32_t>(description_.size()));
  window_ = RuntimeCreateWindow(description_.data(), nullptr);
  EXPECT_NE(window_, nullptr);
  pump_until([&] { return hwnd() && IsWindowVisible(hwnd()); });
  pump(150);
}

TestWindow::~TestWindow() {
  if (window_ && window_built(window_)) RuntimeCloseWindow(window_);
  release_object(window_);
  pump(30);
}

HWND TestWindow::hwnd() const {
  ViewWindow* pane = window_ ? view_window_of(window_) : nullptr;
  return pane ? pane->hwnd() : nullptr;
}

QlObject* TestWindow::control(const std::string& name) const {
  QlString key = string_from_cstr(name.c_str());
  QlObject* found = RuntimeControlFetch(window_, key);
  string_release(key);
  return found;
}

POINT TestWindow::on_screen(int32_t x, int32_t y) const {
  POINT p = {x, y};
  ClientToScreen(hwnd(), &p);
  return p;
}

namespace {

// One pass of the event loop, which may wait for a message: without anything queued a WM_NULL is posted so
// that it returns. Posting only then lets paints through, which come only when nothing else is queued.
void one_pass() {
  if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
  run_event_loop_pass();
}

}  // namespace

void pump(int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) one_pass();
}

bool pump_until(const std::function<bool()>& done, int timeout_ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    one_pass();
  }
  return true;
}

void mouse_button(POINT screen, bool down) {
  SetCursorPos(screen.x, screen.y);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

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

}  // namespace ql::plugin_testing
