// `qlimage link`: relocatable objects and a project description in, an application image out.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/diagnostics.h"
#include "qlimage/image.h"
#include "qlimage/project.h"

namespace qlimage {

struct InputObject {
  std::string name;  // for messages
  Bytes bytes;
};

// `entry` overrides the project's entry routine when it is not empty.
std::optional<Image> link_image(const std::vector<InputObject>& inputs, const Project& project,
                                std::string_view entry, Diagnostics& diagnostics);

}  // namespace qlimage
