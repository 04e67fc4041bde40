// Fuzz target: window descriptions. What decodes must encode to a stream that decodes to the same
// description.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "image/window_description.h"

namespace {

bool same_pairs(const std::vector<ql::image::PropertyPair>& a,
                const std::vector<ql::image::PropertyPair>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].value != b[i].value) return false;
  }
  return true;
}

bool same(const ql::image::WindowDescription& a, const ql::image::WindowDescription& b) {
  if (a.class_index != b.class_index || !same_pairs(a.properties, b.properties) ||
      a.controls.size() != b.controls.size() || a.bindings.size() != b.bindings.size())
    return false;
  for (size_t i = 0; i < a.controls.size(); ++i) {
    if (a.controls[i].class_index != b.controls[i].class_index ||
        !same_pairs(a.controls[i].properties, b.controls[i].properties))
      return false;
  }
  for (size_t i = 0; i < a.bindings.size(); ++i) {
    const ql::image::BindingRecord &x = a.bindings[i], &y = b.bindings[i];
    if (x.first_control != y.first_control || x.second_control != y.second_control ||
        x.binder_class != y.binder_class || x.first_part != y.first_part || x.second_part != y.second_part)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> stream(data, data + size);
  ql::image::WindowDescription description;
  std::string problem;
  if (!ql::image::decode_window_description(stream.data(), static_cast<uint32_t>(size), description,
                                            problem)) {
    if (problem.empty()) __builtin_trap();
    return 0;
  }
  std::vector<uint8_t> encoded = ql::image::encode_window_description(description);
  ql::image::WindowDescription again;
  if (!ql::image::decode_window_description(encoded.data(), static_cast<uint32_t>(encoded.size()), again,
                                            problem) ||
      !same(description, again))
    __builtin_trap();
  return 0;
}
