// The entry gate's record stack, and the end of a program that nests calls into the runtime too deeply.
#include "values/entry_gate.h"

#include <string>

#include "values/fatal_stop.h"

extern "C" {
// Read and written by the gate's assembly (entry_gate_<target>.S).
ql::EntryBoundary ql_entry_boundary_records[QL_BOUNDARY_CAPACITY];
ql::EntryBoundary* ql_entry_boundary_top = ql_entry_boundary_records;
ql::EntryBoundary* ql_entry_boundary_limit = ql_entry_boundary_records + QL_BOUNDARY_CAPACITY;

void ql_entry_boundaries_exhausted() {
  ql::stop_program("The application called into the runtime more than " +
                   std::to_string(QL_BOUNDARY_CAPACITY) + " levels deep and must shut down.");
}
}

namespace ql {

EntryBoundaries live_entry_boundaries() {
  return {ql_entry_boundary_records, static_cast<size_t>(ql_entry_boundary_top - ql_entry_boundary_records),
          reinterpret_cast<uintptr_t>(ql_entry_gate_return)};
}

void cut_entry_boundaries(size_t kept) {
  if (kept < static_cast<size_t>(ql_entry_boundary_top - ql_entry_boundary_records))
    ql_entry_boundary_top = ql_entry_boundary_records + kept;
}

uintptr_t entry_gate_address() { return reinterpret_cast<uintptr_t>(&ql_entry_gate); }

}  // namespace ql
