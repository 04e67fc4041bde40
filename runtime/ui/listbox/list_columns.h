// The list box's columns: how many a requested count gives, and the widths its ColumnWidths text gives.
#pragma once

#include <stdint.h>

#include <string_view>

namespace ql {

constexpr int32_t kMaxListColumns = 63;
constexpr int32_t kListHeadings = 64;
constexpr int32_t kListScrollBarWidth = 17;  // kept at the right for the vertical scroll bar

// The count is taken as unsigned: 0 becomes 1, anything above 63 (negative counts included) 63.
int32_t clamp_column_count(int32_t requested);

// Fills widths[0 .. count - 1] for a list pane_width pixels wide. Each comma-separated part of text is one
// column's width: its decimal digits (every other character ignored), negative when the part begins with
// "-" (and then 0), a percentage of the available width when it ends with "%"; an empty or missing part
// shares what remains equally. No column takes more than remains; the last one takes the rest.
void compute_column_widths(std::string_view text, int32_t count, int32_t pane_width, int16_t* widths);

}  // namespace ql
