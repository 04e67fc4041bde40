// A window's controls: the control table keyed by name (name + "$" + index for a member of a control array),
// the control groups that copies start from, and the controls in creation order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "objects/class_object.h"
#include "objects/named_table.h"

namespace ql {

struct ControlGroup {
  std::string name;
  int32_t index;  // of the first member read; 0x80000000 for a single control
  ClassObject* cls;
  std::vector<std::pair<std::string, std::string>> properties;  // in stream order
};

struct WindowControls {
  NamedTable table;                  // holds one reference to each control
  std::vector<ControlGroup> groups;  // newest first
  std::vector<QlObject*> controls;   // in registration order

  WindowControls() = default;
  ~WindowControls();  // gives back the table's references
  WindowControls(const WindowControls&) = delete;
  WindowControls& operator=(const WindowControls&) = delete;

  void add(const std::string& key, QlObject* control);  // takes over the caller's reference
  QlObject* find(const std::string& key) const;
  const ControlGroup* group(const std::string& name) const;
};

// The key a control is registered under.
std::string control_key(const std::string& name, int32_t index);

}  // namespace ql
