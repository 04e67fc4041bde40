// Column counts and widths of the list box.
#include "ui/listbox/list_columns.h"

#include "ui/panes/geometry.h"

namespace ql {

int32_t clamp_column_count(int32_t requested) {
  uint32_t count = static_cast<uint32_t>(requested);
  if (count == 0) return 1;
  return count > static_cast<uint32_t>(kMaxListColumns) ? kMaxListColumns : static_cast<int32_t>(count);
}

namespace {

// The digits of a part in order, everything else skipped; capped well below overflow.
int64_t part_value(std::string_view part) {
  int64_t value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') continue;
    value = value * 10 + (c - '0');
    if (value > 1000000000) value = 1000000000;
  }
  return part.front() == '-' ? -value : value;
}

}  // namespace

void compute_column_widths(std::string_view text, int32_t count, int32_t pane_width, int16_t* widths) {
  // A list narrower than its scroll bar has nothing to share out.
  const int64_t available = pane_width > kListScrollBarWidth ? pane_width - kListScrollBarWidth : 0;
  int64_t remaining = available;
  for (int32_t i = 0; i < count; ++i) {
    int64_t width = remaining / (count - i);
    if (!text.empty()) {
      size_t comma = text.find(',');
      std::string_view part = text.substr(0, comma);
      text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
      if (!part.empty()) {
        width = part_value(part);
        if (width < 0) width = 0;
        if (part.back() == '%') width = width * available / 100;
      }
    }
    if (width > remaining) width = remaining;
    widths[i] = clamp16(width);
    remaining -= width;
  }
  // A list wider than 32767 pixels keeps its widths at the most a 16-bit width holds.
  if (count > 0) widths[count - 1] = clamp16(int64_t{widths[count - 1]} + remaining);
}

}  // namespace ql
