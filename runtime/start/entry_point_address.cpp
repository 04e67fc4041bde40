// The runtime's own entry points by name, as the plug-in host's resolver hands them out. A file of its own:
// whatever uses it links the whole table.
#include "start/entry_point_table.h"

namespace ql {

void* entry_point_address(std::string_view name) {
  const EntryPoint* slot = find_entry_point(entry_point_table(), name);
  return slot ? slot->code : nullptr;
}

}  // namespace ql
