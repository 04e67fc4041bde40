// Reading the exercise table the lessons are planned from.
#include "lesson_plan.h"

#include <windows.h>

#include "program_runner.h"

namespace ql::loquat_tests {

namespace {

// The table is UTF-8; the program draws its text in Windows-1252.
std::string to_1252(const std::string& utf8) {
  int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wide_length);
  int length = WideCharToMultiByte(1252, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(1252, 0, wide.data(), wide_length, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \r\n\t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \r\n\t") - first + 1);
}

const std::vector<PlannedRow>& planned_rows() {
  static const std::vector<PlannedRow> rows = [] {
    std::vector<PlannedRow> read;
    for (const std::string& line :
         split(harness::read_file(harness::windows_path_of_unix(QL_EXERCISE_TABLE)), '\n')) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> cells = split(to_1252(line), '\t');
      if (cells.size() < 8) continue;
      read.push_back(
          {std::atoi(cells[0].c_str()), cells[1], cells[2], cells[3], cells[4], cells[5], cells[6]});
    }
    return read;
  }();
  return rows;
}

std::vector<PlannedRow> rows_of(const std::string& prefix) {
  std::vector<PlannedRow> rows;
  for (const PlannedRow& row : planned_rows())
    if (row.set.compare(0, prefix.size(), prefix) == 0) rows.push_back(row);
  return rows;
}

}  // namespace ql::loquat_tests
