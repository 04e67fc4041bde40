// The names of the runtime's entry points, as compiled code may call them.
#pragma once

#include <optional>
#include <string_view>

namespace qlimage {

// The table's spelling of the entry point whose name equals `name` ignoring case, if any.
std::optional<std::string_view> find_entry_point(std::string_view name);

}  // namespace qlimage
