// A window's control table and groups.
#include "ui/window/control_table.h"

#include "objects/objects.h"
#include "ui/controls/control_object.h"

namespace ql {

WindowControls::~WindowControls() {
  for (QlObject* control : controls) release_object(control);
}

void WindowControls::add(const std::string& key, QlObject* control) {
  if (QlObject* old = find(key)) {
    std::erase(controls, old);
    release_object(old);
  }
  table.insert(key.c_str(), control);
  controls.push_back(control);
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
