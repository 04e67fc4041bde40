// The names of the runtime's entry points, for checking what compiled code calls.
#include "qlimage/entry_points.h"

#include <algorithm>
#include <iterator>

#include "image/names.h"

namespace qlimage {
namespace {

constexpr std::string_view kEntryPoints[] = {
#define QL_ENTRY(name) #name,
#include "start/all_entry_points.inc"
#undef QL_ENTRY
};

}  // namespace

std::optional<std::string_view> find_entry_point(std::string_view name) {
  auto it = std::find_if(std::begin(kEntryPoints), std::end(kEntryPoints),
                         [&](std::string_view entry) { return ql::image::same_name(entry, name); });
  if (it == std::end(kEntryPoints)) return std::nullopt;
  return *it;
}

}  // namespace qlimage
