// Version-1 records of old plug-ins, converted to the records the host registers, and the exports table
// through which version-1 records name their routines.
#pragma once

#include <stdint.h>

#include "quillet/plugin_records.h"

namespace ql {

// Entry index of the table: null for a null table, a negative index, or an index at or past the entry
// whose routine is null that ends the table.
QlPluginFunction export_function(const QlPluginExport* table, int32_t index);

// A version-4 record made from a version-1 one: the first five words copied, default size 100 by 100,
// each property direct in both directions at its offset, each method's routine taken from the exports
// table (null where the index names none), the event array and behaviour table taken over. The record and
// its arrays stay allocated for the life of the process, as registered records must.
QlPluginControlRecord* convert_control_record(const QlPluginControlRecordV1& old,
                                              const QlPluginExport* exports);

// A method record made from a version-1 global method record.
QlPluginMethodRecord convert_method_record(const QlPluginMethodRecordV1& old, const QlPluginExport* exports);

}  // namespace ql
