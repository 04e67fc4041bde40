// The names of the runtime's entry points, for checking what compiled code calls.
#include "qlimage/entry_points.h"

#include <algorithm>
#include <iterator>

namespace qlimage {
namespace {

constexpr std::string_view kEntryPoints[] = {
#define QL_ENTRY(name) #name,
#include "start/all_entry_points.inc"
#undef QL_ENTRY
};

char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equal_folded(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return fold(x) == fold(y); });
}

}  // namespace

std::optional<std::string_view> find_entry_point(std::string_view name) {
  auto it = std::find_if(std::begin(kEntryPoints), std::end(kEntryPoints),
                         [&](std::string_view entry) { return equal_folded(entry, name); });
  if (it == std::end(kEntryPoints)) return std::nullopt;
  return *it;
}

}  // namespace qlimage
