// Reads an exercise table in either of its formats. The repository's: UTF-8 text, one row per line, eight
// TAB-separated cells; lines that start with "#" and empty lines are skipped. The editor's (what SAVE AS
// FILE writes and GET FILE reads): Windows-1252 bytes, each row its eight cells each followed by a TAB,
// then a CR; no header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lessontable/problems.h"
#include "lessontable/table.h"

namespace lessontable {

// A file holding CRs and no LF is an exchange file; anything else is read as the repository's table.
TableFormat format_of(std::string_view text);

// Cells come back in Windows-1252. Rows that cannot be split or encoded are kept (so that later rows keep
// their numbers) but marked incomplete, with the reason in `problems`.
Table read_table(std::string_view text, Problems& problems);

// The lines of a repository-format file with their 1-based numbers: a byte order mark, "#" lines and empty
// lines left out.
struct SourceLine {
  int line;
  std::string text;
};
std::vector<SourceLine> source_lines(std::string_view text);

// A UTF-8 cell of a repository-format file in Windows-1252, or the problem ("holds ...: do this").
bool encode_cell(const std::string& cell, std::string& bytes, std::string& problem);

}  // namespace lessontable
