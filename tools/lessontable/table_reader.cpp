// Line splitting, cell splitting and the conversion of each cell to the 8-bit text of the image.
#include "lessontable/table_reader.h"

#include <stdio.h>

#include <optional>

#include "lessontable/engine_text.h"
#include "lessontable/set_plan.h"
#include "lessontable/text_width.h"
#include "qlimage/text_encoding.h"

namespace lessontable {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

Problem row_problem(int line, int row, std::string message) {
  return {line, row, -1, "", std::move(message)};
}

// The cell in Windows-1252, or nullopt with a problem recorded.
std::optional<std::string> encode_cell(const std::string& cell, int line, int row, int index,
                                       Problems& problems) {
  std::string bad;
  std::optional<std::string> bytes = qlimage::utf8_to_windows1252(cell, &bad);
  std::string message;
  if (!bytes) {
    message = bad == "U+FFFD"
                  ? "is not valid UTF-8: save the file as UTF-8"
                  : "holds the character " + bad + ", which Windows-1252 cannot represent: replace it";
  } else {
    for (unsigned char byte : *bytes) {
      if (is_printable(byte)) continue;
      char code[8];
      snprintf(code, sizeof code, "0x%02X", byte);
      message = std::string("holds the control character ") + code + ", which cannot be shown: remove it";
      break;
    }
  }
  if (message.empty()) return bytes;
  problems.push_back({line, row, index, cell_name(RowKind::kUnknown, index), message});
  return std::nullopt;
}

}  // namespace

Table read_table(std::string_view text, Problems& problems) {
  Table table;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  std::vector<std::string> lines = split_fields(text, "\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();  // the final line end
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& source = lines[i];
    const int line = static_cast<int>(i) + 1;
    if (source.empty() || source[0] == '#') continue;
    const int index = static_cast<int>(table.rows.size());
    TableRow& row = table.rows.emplace_back();
    row.line = line;
    bool complete = true;
    std::string content = source;
    if (content.find('\r') != std::string::npos) {
      problems.push_back(row_problem(line, index,
                                     "the line holds a carriage return (CR, as in Windows line "
                                     "ends): save the file with LF line ends"));
      complete = false;
      if (content.back() == '\r') content.pop_back();
    }
    std::vector<std::string> cells = split_fields(content, "\t");
    if (cells.size() == kCellCount + 1 && cells.back().empty()) {
      problems.push_back(row_problem(line, index, "the line ends with a TAB: remove it (rows have 8 cells)"));
      complete = false;
    } else if (cells.size() != kCellCount) {
      problems.push_back(row_problem(
          line, index,
          "the line has " + std::to_string(cells.size()) +
              " cells, but a row has 8 (number, set, pattern, answers, choices, explanation, layout, extra) "
              "separated by single TABs: add or remove TABs; an empty cell is an empty text between two "
              "TABs"));
      complete = false;
    }
    // Even a broken row keeps what it has, so that the set and numbering checks still see its set code.
    for (size_t c = 0; c < cells.size() && c < kCellCount; ++c) {
      std::optional<std::string> bytes = encode_cell(cells[c], line, index, static_cast<int>(c), problems);
      if (bytes) {
        row.cells[c] = std::move(*bytes);
      } else {
        complete = false;
      }
    }
    row.complete = complete;
  }
  return table;
}

}  // namespace lessontable
