// RuntimeCreateWindow: a window object, its platform window and its controls from a window description.
#include "app/window_building.h"

#include <cstring>
#include <vector>

#include "app/image_data.h"
#include "image/window_description.h"
#include "objects/class_object.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/events/event_messages.h"
#include "ui/events/window_events.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/panes/message_scope.h"
#include "ui/window/window_object.h"
#include "ui/window/window_support.h"
#include "values/fatal_stop.h"
#include "values/string.h"

namespace ql {

namespace {

struct FrameChoice {
  int32_t type;
  int32_t placement;
};

// The Frame property's frame type and default placement.
FrameChoice frame_choice(int32_t frame) {
  static const FrameChoice kFrames[] = {{8, 4}, {3, 2}, {2, 2}, {1, 0}, {4, 2}, {5, 2}, {6, 4}, {9, 0}};
  if (frame >= 0 && frame < 8) return kFrames[frame];
  return {frame, 0};
}

Rect16 placed(Rect16 r, int32_t placement) {
  int32_t dx = 0, dy = 0;
  switch (placement) {
    case 0:
      dx = 4, dy = 100;
      break;
    case 1:
    case 2:
    case 3: {
      int32_t screen_width, screen_height;
      screen_size(screen_width, screen_height);
      dx = (screen_width - r.width()) / 2;
      dy = (screen_height - r.height()) / 4;
      break;
    }
    case 4:
      dx = 10, dy = 50;
      break;
    default:
      break;
  }
  return {clamp16(r.top + dy), clamp16(r.left + dx), clamp16(r.bottom + dy), clamp16(r.right + dx)};
}

const ClassObject* control_class() {
  static const ClassObject* control = builtin_class("Control");
  return control;
}

bool is_control(const ClassObject* cls) { return class_isa(cls, control_class()); }

const ClassObject* canvas_class() {
  static const ClassObject* canvas = builtin_class("Canvas");
  return canvas;
}

void warn(const std::string& what) {
  show_stop_message("The application image is damaged: " + what + ". The application goes on without it.");
}

std::string text(std::string_view view) { return std::string(view); }

// The last canvas already registered whose rectangle encloses the control's.
QlObject* container_for(WindowControls& controls, QlObject* control) {
  QlObject* found = nullptr;
  for (QlObject* other : controls.controls) {
    if (other != control && class_isa(class_of(other), canvas_class()) &&
        as_control_fields(other)->bounds.encloses(as_control_fields(control)->bounds))
      found = other;
  }
  return found;
}

// The part of a control a binding names, through the control's bindingPartInterface, or the control.
QlObject* bound_part(QlObject* control, std::string_view part) {
  if (part.empty()) {
    retain_object(control);
    return control;
  }
  const ClassObject* part_interface = builtin_class("bindingPartInterface");
  if (!control || !object_isa(control, part_interface)) return nullptr;
  const MethodRecord* method = find_method(class_of(control), "getBoundPart");
  if (!method || !method->code) return nullptr;
  QlString name = string_from_bytes(part.data(), static_cast<int32_t>(part.size()));
  QlObject* result = reinterpret_cast<QlObject* (*)(QlObject*, QlString)>(method->code)(control, name);
  string_release(name);
  return result;
}

void make_binding(const image::BindingRecord& binding, const std::vector<QlObject*>& by_number) {
  auto control_number = [&](int32_t n) -> QlObject* {
    return n >= 0 && static_cast<size_t>(n) < by_number.size() ? by_number[n] : nullptr;
  };
  QlObject* first = bound_part(control_number(binding.first_control), binding.first_part);
  QlObject* second = bound_part(control_number(binding.second_control), binding.second_part);
  ClassObject* binder_class = class_at_index(binding.binder_class);
  if (first && second && binder_class) {
    QlObject* binder = new_object(binder_class);
    const MethodRecord* bind = find_method(binder_class, "bind");
    if (object_isa(binder, builtin_class("bindingInterface")) && bind && bind->code)
      reinterpret_cast<void (*)(QlObject*, QlObject*, QlObject*)>(bind->code)(binder, first, second);
    release_object(binder);
  }
  release_object(first);
  release_object(second);
}

void build_controls(QlObject* window, const image::WindowDescription& description) {
  WindowControls& controls = *as_window_fields(window)->controls;
  std::vector<QlObject*> by_number;  // every record's control, in record order (null where skipped)
  for (size_t n = 0; n < description.controls.size(); ++n) {
    const image::ControlRecord& record = description.controls[n];
    // A record may name any class: a control, or an object such as a Timer that lives with the window.
    ClassObject* cls = class_at_index(record.class_index);
    if (!cls) {
      warn("control record " + std::to_string(n) + " of the window names the class index " +
           std::to_string(record.class_index) + ", which is no class of the image");
      by_number.push_back(nullptr);
      continue;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const image::PropertyPair& pair : record.properties)
      pairs.emplace_back(text(pair.name), text(pair.value));
    QlObject* control = make_control(window, cls, pairs);
    std::string name = record_name(pairs);
    if (!controls.group(name))
      controls.groups.insert(controls.groups.begin(), ControlGroup{name, control_index(control), cls, pairs});
    if (is_control(cls)) as_control_fields(control)->container = container_for(controls, control);
    controls.add(control_key(name, control_index(control)), control);
    by_number.push_back(control);
  }
  // Held for the steps: a handler may close the window, which lets go of its controls.
  std::vector<QlObject*> order = controls.controls;
  for (QlObject* control : order) retain_object(control);
  for (QlObject* control : order) {
    fire_event(control, control_events::kCreatePane);
    settle_control_pane(control);
  }
  for (const image::BindingRecord& binding : description.bindings) make_binding(binding, by_number);
  for (QlObject* control : order) fire_event(control, control_events::kOpen);
  for (QlObject* control : order) release_object(control);
}

}  // namespace

std::string record_name(const std::vector<std::pair<std::string, std::string>>& properties) {
  std::string found;
  for (const auto& [name, value] : properties) {
    if (names_equal(name, "Name")) found = value;
  }
  return found;
}

QlObject* make_control(QlObject* window, ClassObject* cls,
                       const std::vector<std::pair<std::string, std::string>>& properties) {
  const bool control_kind = is_control(cls);
  QlObject* control = new_object(cls);
  // Every object's root words can hold the window and the index; only a Control has the rest.
  set_control_window(control, window);
  if (control_kind) prepare_control(control, window);
  for (const auto& [name, value] : properties) {
    if (names_equal(name, "Index")) {
      int32_t index;
      if (parse_decimal(value, index)) set_control_index(control, index);
    } else if (control_kind && names_equal(name, "Name")) {
      QlString s = string_from_bytes(value.data(), static_cast<int32_t>(value.size()));
      string_assign(as_control_fields(control)->name, s);
      string_release(s);
    }
    apply_property_text(control, name, value);
  }
  return control;
}

void make_control_pane(QlObject* control) {
  fire_event(control, control_events::kCreatePane);
  settle_control_pane(control);
}

}  // namespace ql

QL_API QlObject* RuntimeCreateWindow(const void* description, QlObject** variable) {
  using namespace ql;
  const uint8_t* length_word = image_bytes(description, 4);
  if (!length_word)
    stop_program("The application image is damaged: a window description lies outside its data.");
  uint32_t length;
  std::memcpy(&length, length_word, 4);
  const uint8_t* stream = image_bytes(length_word + 4, length);
  if (!stream)
    stop_program("The application image is damaged: a window description runs past the end of its data.");
  // A private copy: the texts the window keeps point into it while it is read.
  std::vector<uint8_t> copy(stream, stream + length);
  image::WindowDescription decoded;
  std::string problem;
  if (!image::decode_window_description(copy.data(), length, decoded, problem))
    stop_program("The application image is damaged: its window description is damaged: " + problem + ".");

  ClassObject* cls = class_at_index(decoded.class_index);
  if (!cls || !class_isa(cls, builtin_class("Window")))
    stop_program("The application image is damaged: its window description names the class index " +
                 std::to_string(decoded.class_index) + ", which is no window class.");
  QlObject* window = new_object(cls);
  if (variable) *variable = window;
  for (const image::PropertyPair& pair : decoded.properties)
    apply_property_text(window, pair.name, pair.value);

  WindowFields* fields = as_window_fields(window);
  FrameChoice frame = frame_choice(fields->frame);
  int32_t placement = fields->placement != 0 ? fields->placement : frame.placement;
  fields->bounds = placed(fields->bounds, placement);

  fields->controls = new WindowControls;
  if (!create_window_pane(window, frame.type, fields->bounds)) {
    if (variable) *variable = nullptr;
    release_object(window);
    return nullptr;
  }
  set_window_should_show(window, fields->visible);
  fields->variable = variable;
  // A handler that closes the window while it is built leaves its panes to the end of this scope.
  MessageScope scope;
  build_controls(window, decoded);
  // TabPanel pages need no set-up here: every control's pane already has the key of its page.
  invalidate_window(window);
  fire_event(window, window_events::kOpen);
  if (!window_built(window)) {
    // The window's own Open closed it.
    if (variable && *variable == window) *variable = nullptr;
    release_object(window);
    return nullptr;
  }
  return window;
}
