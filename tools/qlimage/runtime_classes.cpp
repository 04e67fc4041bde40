// The runtime's built-in classes, from the one list the runtime defines at start-up.
#include "qlimage/runtime_classes.h"

#include <algorithm>
#include <iterator>

#include "image/names.h"

namespace qlimage {
namespace {

constexpr RuntimeClass kClasses[] = {
#define QL_BUILTIN_CLASS(name, superclass, size32) {name, superclass, size32},
#include "quillet/builtin_classes.inc"
#undef QL_BUILTIN_CLASS
};

}  // namespace

std::span<const RuntimeClass> runtime_classes() { return kClasses; }

const RuntimeClass* find_runtime_class(std::string_view name) {
  auto it = std::find_if(std::begin(kClasses), std::end(kClasses),
                         [&](const RuntimeClass& cls) { return ql::image::same_name(cls.name, name); });
  return it == std::end(kClasses) ? nullptr : &*it;
}

}  // namespace qlimage
