// Finding an entry point by name in the table, ignoring case.
#include <cstring>

#include "platform/platform.h"
#include "start/entry_point_table.h"

namespace ql {

const EntryPoint* find_entry_point(std::span<const EntryPoint> table, std::string_view name) {
  for (const EntryPoint& slot : table) {
    if (!slot.name) continue;
    size_t length = std::strlen(slot.name);
    // Entry-point names are plain ASCII, so names of another length can never compare equal.
    if (length != name.size()) continue;
    if (platform::compare_string(true, slot.name, static_cast<int>(length), name.data(),
                                 static_cast<int>(name.size())) == 2)
      return &slot;
  }
  return nullptr;
}

}  // namespace ql
