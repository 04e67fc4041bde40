// Joins the entry-point lists of every layer into the fixed table of slots.
#include "start/entry_point_table.h"

#include "quillet.h"

namespace ql {

namespace {

#define QL_ENTRY(name) {#name, reinterpret_cast<void*>(&name), {0, 0}},
const EntryPoint kFilled[] = {
#include "start/all_entry_points.inc"
};
#undef QL_ENTRY

constexpr int kFilledCount = sizeof(kFilled) / sizeof(kFilled[0]);
static_assert(kFilledCount <= kEntryPointSlots, "the entry-point table has a fixed number of slots");

struct Table {
  EntryPoint slots[kEntryPointSlots] = {};
  Table() {
    for (int i = 0; i < kFilledCount; ++i) slots[i] = kFilled[i];
  }
};

}  // namespace

std::span<const EntryPoint> entry_point_table() {
  static const Table table;
  return table.slots;
}

}  // namespace ql
