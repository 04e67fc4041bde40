// A window's control table and groups.
#include "ui/window/control_table.h"

#include "objects/objects.h"
#include "ui/controls/control_object.h"

namespace ql {

WindowControls::~WindowControls() {
  for (QlObject* control : controls) release_object(control);
  for (QlObject* other : others) release_object(other);
}

void WindowControls::add(const std::string& key, QlObject* control) {
  table.insert(key.c_str(), control);
  static const ClassObject* control_class = builtin_class("Control");
  (class_isa(class_of(control), control_class) ? controls : others).push_back(control);
}

QlObject* WindowControls::find(const std::string& key) const {
  return static_cast<QlObject*>(table.find(key.c_str()));
}

const ControlGroup* WindowControls::group(const std::string& name) const {
  for (const ControlGroup& g : groups) {
    if (names_equal(g.name, name)) return &g;
  }
  return nullptr;
}

std::string control_key(const std::string& name, int32_t index) {
  return index == kNoIndex ? name : name + "$" + std::to_string(index);
}

}  // namespace ql
