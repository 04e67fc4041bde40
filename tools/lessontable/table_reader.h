// Reads the table's source file: UTF-8 text, one row per line, eight TAB-separated cells; lines that start
// with "#" and empty lines are skipped.
#pragma once

#include <string_view>

#include "lessontable/problems.h"
#include "lessontable/table.h"

namespace lessontable {

// Cells come back in Windows-1252. Rows that cannot be split or encoded are kept (so that later rows keep
// their numbers) but marked incomplete, with the reason in `problems`.
Table read_table(std::string_view text, Problems& problems);

}  // namespace lessontable
