// Rows joined into the two file formats.
#include "lessontable/table_writers.h"

#include "qlimage/text_encoding.h"

namespace lessontable {

const char* const kTableHeader =
    "# Exercise table of the Loquat lessons, one row per line, 8 cells separated by TABs: number, set, "
    "pattern, answers, choices, explanation (proverbs: word count), layout, extra (proverbs: difficulty "
    "1-5). "
    "Lines starting with '#' are skipped. Check: lessontable check app/content/exercises.tsv";

std::string repository_text(const Table& table) {
  std::string text = std::string(kTableHeader) + "\n";
  for (const TableRow& row : table.rows) {
    for (int cell = 0; cell < kCellCount; ++cell) {
      if (cell) text += '\t';
      text += qlimage::windows1252_to_utf8(row.cells[cell]);
    }
    text += '\n';
  }
  return text;
}

std::string exchange_text(const Table& table) {
  std::string text;
  for (const TableRow& row : table.rows) {
    for (const std::string& cell : row.cells) text += cell + '\t';
    text += '\r';
  }
  return text;
}

}  // namespace lessontable
