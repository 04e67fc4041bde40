// The runtime's built-in classes as the image may name them: each with its superclass and its instance size
// on 32-bit targets. Window, menu and item entries may use these names without listing them under
// [[classes]].
#pragma once

#include <stdint.h>

#include <span>
#include <string_view>

namespace qlimage {

struct RuntimeClass {
  std::string_view name;
  std::string_view superclass;  // empty: none
  uint32_t size32;              // instance bytes on 32-bit targets, header included
};

std::span<const RuntimeClass> runtime_classes();
// The class whose name equals name ignoring letter case, as the runtime looks classes up; null if none.
const RuntimeClass* find_runtime_class(std::string_view name);

}  // namespace qlimage
