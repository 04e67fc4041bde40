// Building test windows through RuntimeCreateWindow, and pumping their events.
#include "ui_test_window.h"

#include <cstring>

#include "app/app_steps.h"
#include "app/image_data.h"
#include "containers/variant.h"
#include "files/file_classes.h"
#include "image/window_description.h"
#include "objects/class_array.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/windows.h"
#include "ui/events/event_messages.h"
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
}

TestClass::TestClass(const char* builtin) : cls_(std::make_unique<ClassObject>()) {
  define_ui_test_classes();
  ClassObject* super = builtin_class(builtin);
  cls_->superclass = super;
  cls_->instance_size = super ? super->instance_size : 0;
}

TestClass::~TestClass() = default;

Properties control_properties(const std::string& name, int left, int top, int width, int height) {
  return {{"Name", name},
          {"Index", "-2147483648"},
          {"Visible", "True"},
          {"Left", std::to_string(left)},
          {"Top", std::to_string(top)},
          {"Width", std::to_string(width)},
          {"Height", std::to_string(height)}};
}

TestWindow::TestWindow(std::vector<TestControl> controls, int left, int top, int width, int height,
                       const TestClass* window_class) {
  define_ui_test_classes();
  if (!window_class) {
    own_window_class_ = std::make_unique<TestClass>("Window");
    window_class = own_window_class_.get();
  }
  classes_ = {builtin_class("RuntimeException"), window_class->get()};
  for (const TestControl& control : controls) classes_.push_back(control.cls->get());
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
  if (window_) pump_until([&] { return hwnd() && IsWindowVisible(hwnd()); }, 2000);
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

HWND TestWindow::hwnd() const { return built() ? view_window_of(window_)->hwnd() : nullptr; }

POINT TestWindow::screen_point(int x, int y) const {
  POINT p = {x, y};
  ClientToScreen(hwnd(), &p);
  return p;
}

void TestWindow::close() {
  if (ViewWindow* pane = built() ? view_window_of(window_) : nullptr) pane->close();
  pump(10);
}

void pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    bool quit = false;
    apply_window_geometry();
    while (take_message(0, quit)) {
    }
    poll_pointer();
    idle_panes();
    Sleep(1);
  } while (static_cast<int32_t>(end - GetTickCount()) > 0);
}

bool pump_until(const std::function<bool()>& done, int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (!done()) {
    if (static_cast<int32_t>(end - GetTickCount()) <= 0) return false;
    pump(5);
  }
  return true;
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
