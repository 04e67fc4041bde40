// Line splitting, cell splitting and the 8-bit text of each cell, for both formats of the table.
#include "lessontable/table_reader.h"

#include <stdio.h>

#include <optional>

#include "lessontable/engine_text.h"
#include "qlimage/text_encoding.h"
#include "rules/text_widths.h"

namespace lessontable {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr const char* kCellList = "8 (number, set, pattern, answers, choices, explanation, layout, extra)";

Problem row_problem(int line, int row, std::string message) {
  return {line, row, -1, "", std::move(message)};
}

// The first byte that no glyph shows, as a problem; empty when every byte shows.
std::string unprintable(std::string_view bytes) {
  for (unsigned char byte : bytes) {
    if (loquat::rules::is_printable(byte)) continue;
    char code[8];
    snprintf(code, sizeof code, "0x%02X", byte);
    if (byte >= 0x80)
      return std::string("holds the byte ") + code + ", which Windows-1252 leaves undefined: remove it";
    return std::string("holds the control character ") + code + ", which cannot be shown: remove it";
  }
  return {};
}

// Stores the cells of one row, keeping what a broken row has so that the set and numbering checks still
// see its set code.
void store_cells(TableRow& row, int index, const std::vector<std::string>& cells, bool encoded,
                 Problems& problems) {
  for (size_t c = 0; c < cells.size() && c < kCellCount; ++c) {
    std::string bytes, problem;
    if (encoded) {
      bytes = cells[c];
      problem = unprintable(bytes);
    } else {
      encode_cell(cells[c], bytes, problem);
    }
    if (problem.empty()) {
      row.cells[c] = std::move(bytes);
    } else {
      problems.push_back(
          {row.line, index, static_cast<int>(c), cell_name(RowKind::kUnknown, static_cast<int>(c)), problem});
      row.complete = false;
    }
  }
}

Table read_repository(std::string_view text, Problems& problems) {
  Table table;
  for (const SourceLine& source : source_lines(text)) {
    const int index = static_cast<int>(table.rows.size());
    TableRow& row = table.rows.emplace_back();
    row.line = source.line;
    row.complete = true;
    std::string content = source.text;
    if (content.find('\r') != std::string::npos) {
      problems.push_back(
          row_problem(source.line, index,
                      "the line holds a carriage return (CR, as in Windows line ends): save the "
                      "file with LF line ends"));
      row.complete = false;
      if (content.back() == '\r') content.pop_back();
    }
    std::vector<std::string> cells = split_fields(content, "\t");
    if (cells.size() == kCellCount + 1 && cells.back().empty()) {
      problems.push_back(
          row_problem(source.line, index, "the line ends with a TAB: remove it (rows have 8 cells)"));
      row.complete = false;
    } else if (cells.size() != kCellCount) {
      problems.push_back(row_problem(source.line, index,
                                     "the line has " + std::to_string(cells.size()) +
                                         " cells, but a row has " + kCellList +
                                         " separated by single TABs: add or remove TABs; an empty cell is an "
                                         "empty text between two TABs"));
      row.complete = false;
    }
    store_cells(row, index, cells, false, problems);
  }
  return table;
}

Table read_exchange(std::string_view text, Problems& problems) {
  Table table;
  table.format = TableFormat::kExchange;
  std::vector<std::string> lines = split_fields(text, "\r");
  const bool closed = !lines.empty() && lines.back().empty();
  if (closed) lines.pop_back();
  for (size_t i = 0; i < lines.size(); ++i) {
    const int index = static_cast<int>(table.rows.size());
    TableRow& row = table.rows.emplace_back();
    row.line = static_cast<int>(i) + 1;
    row.complete = true;
    std::vector<std::string> fields = split_fields(lines[i], "\t");
    const bool ends_with_tab = !fields.empty() && fields.back().empty();
    if (ends_with_tab) fields.pop_back();
    if (fields.size() != kCellCount) {
      problems.push_back(row_problem(row.line, index,
                                     "the line has " + std::to_string(fields.size()) +
                                         " cells, but a row has " + kCellList + ", each followed by a TAB"));
      row.complete = false;
    } else if (!ends_with_tab) {
      problems.push_back(
          row_problem(row.line, index, "the last cell has no TAB after it: every cell is followed by one"));
      row.complete = false;
    }
    store_cells(row, index, fields, true, problems);
  }
  if (!closed && !table.rows.empty()) {
    problems.push_back(row_problem(table.rows.back().line, static_cast<int>(table.rows.size()) - 1,
                                   "the last row has no CR after it: the editor ends every row with one"));
    table.rows.back().complete = false;
  }
  return table;
}

}  // namespace

TableFormat format_of(std::string_view text) {
  bool cr = text.find('\r') != std::string_view::npos, lf = text.find('\n') != std::string_view::npos;
  return cr && !lf ? TableFormat::kExchange : TableFormat::kRepository;
}

std::vector<SourceLine> source_lines(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  std::vector<std::string> lines = split_fields(text, "\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();  // the final line end
  std::vector<SourceLine> kept;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty() || lines[i][0] == '#') continue;
    kept.push_back({static_cast<int>(i) + 1, lines[i]});
  }
  return kept;
}

bool encode_cell(const std::string& cell, std::string& bytes, std::string& problem) {
  std::string bad;
  std::optional<std::string> encoded = qlimage::utf8_to_windows1252(cell, &bad);
  if (!encoded) {
    problem = bad == "U+FFFD"
                  ? "is not valid UTF-8: save the file as UTF-8"
                  : "holds the character " + bad + ", which Windows-1252 cannot represent: replace it";
    return false;
  }
  problem = unprintable(*encoded);
  if (!problem.empty()) return false;
  bytes = std::move(*encoded);
  return true;
}

Table read_table(std::string_view text, Problems& problems) {
  return format_of(text) == TableFormat::kExchange ? read_exchange(text, problems)
                                                   : read_repository(text, problems);
}

}  // namespace lessontable
