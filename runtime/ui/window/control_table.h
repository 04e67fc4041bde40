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
  NamedTable table;                  // each control's name or key, the newest under a name reused
  std::vector<ControlGroup> groups;  // newest first
  std::vector<QlObject*> controls;   // the Controls in registration order, one reference each
  std::vector<QlObject*> others;     // objects of other classes (timers), one reference each

  WindowControls() = default;
  ~WindowControls();  // gives back the table's references
  WindowControls(const WindowControls&) = delete;
  WindowControls& operator=(const WindowControls&) = delete;

  // Takes over the caller's reference. A key already registered then names the new control; the earlier
  // one stays with the window (controls live as long as their window).
  void add(const std::string& key, QlObject* control);
  QlObject* find(const std::string& key) const;
  const ControlGroup* group(const std::string& name) const;
};

// The key a control is registered under.
std::string control_key(const std::string& name, int32_t index);

}  // namespace ql
