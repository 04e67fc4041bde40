// The project items as data1 records: pictures, sounds and implicit instances at the numbers the project
// gives them, then the menu bar and the settings at the next free numbers after the highest given one.
// Also the stored plug-in chain, the project table and the data1 header that point at all of it.
#pragma once

#include <optional>
#include <vector>

#include "qlimage/class_list.h"
#include "qlimage/data1_records.h"
#include "qlimage/diagnostics.h"
#include "qlimage/project.h"

namespace qlimage {

constexpr uint32_t kMaxItemNumber = 65535;

// Slot i holds item i + 1, or nothing for a gap. False after reporting every problem.
bool add_project_items(Data1Records& records, const Project& project, const ClassList& classes,
                       const Resolution& resolution, std::vector<std::optional<RecordId>>& slots,
                       Diagnostics& diagnostics);

// The plug-in nodes in order and the word ql_plugin_chain_head names, which points at the first.
void add_plugin_chain(Data1Records& records, const Project& project, Resolution& resolution);

// The project table, and the data1 header at offset 0 (entry routine, project table), which
// ql_data1_header names.
void add_project_table(Data1Records& records, const std::vector<RecordId>& classes,
                       const std::vector<std::optional<RecordId>>& items, Resolution& resolution);

}  // namespace qlimage
