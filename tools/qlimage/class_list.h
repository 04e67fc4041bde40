// The image's class list: the project's [[classes]] in their order, then the classes of the runtime and of
// plug-ins that windows, menus and items name without listing them (as references, in order of first use),
// then the anonymous classes made for single controls. The indexes of [[classes]] entries never change.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qlimage/diagnostics.h"
#include "qlimage/project.h"

namespace qlimage {

struct ClassList {
  std::vector<ClassDescription> classes;
  std::vector<std::vector<uint32_t>> control_classes;  // [window][control entry]: class index

  // The index of a named class; names compare ignoring letter case, as the runtime compares them. Every
  // name the project uses is in the list once complete_class_list has accepted it.
  std::optional<uint32_t> find(std::string_view name) const;
};

// "window 'cloze_window'", "control 'bigCanvas' (control 3)": how messages name what they are about.
std::string window_label(const WindowDescription& window);
std::string control_label(const ControlDescription& control, size_t number);

// Reports every class name that is neither an entry of [[classes]], nor a runtime class, nor a class of a
// stored plug-in; nullopt then.
std::optional<ClassList> complete_class_list(const Project& project, Diagnostics& diagnostics);

}  // namespace qlimage
