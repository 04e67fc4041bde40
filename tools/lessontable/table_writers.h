// Writing a table in each of its formats: the repository's (UTF-8, one header line, LF after each row, 8
// cells separated by TABs) and the editor's exchange files (Windows-1252, each cell followed by a TAB, a CR
// after each row). Reading either back gives the same rows.
#pragma once

#include <string>

#include "lessontable/table.h"

namespace lessontable {

// The repository table's one comment line.
extern const char* const kTableHeader;

std::string repository_text(const Table& table);
std::string exchange_text(const Table& table);

}  // namespace lessontable
