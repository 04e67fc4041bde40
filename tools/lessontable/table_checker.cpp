// Table-wide checks and the order of the report.
#include "lessontable/table_checker.h"

#include <algorithm>
#include <map>

#include "lessontable/engine_text.h"
#include "lessontable/row_checker.h"

namespace lessontable {
namespace {

void check_numbers(const Table& table, Problems& problems) {
  for (size_t i = 0; i < table.rows.size(); ++i) {
    const TableRow& row = table.rows[i];
    std::string expected = std::to_string(i);
    if (row.cells[kNumber] == expected) continue;
    problems.push_back({row.line, static_cast<int>(i), kNumber,
                        cell_name(kind_of_set(row.cells[kSet]), kNumber),
                        "the row is numbered '" + row.cells[kNumber] + "' but is row " + expected +
                            " (rows are numbered from 0 in file order; later rows are not reported): "
                            "renumber the rows from here"});
    return;
  }
}

// The same proverb twice, or the same article item twice, would come up twice in a lesson.
void check_repeats(const Table& table, Problems& problems) {
  std::map<std::string, size_t> seen;
  for (size_t i = 0; i < table.rows.size(); ++i) {
    const TableRow& row = table.rows[i];
    RowKind kind = kind_of_set(row.cells[kSet]);
    if (!row.complete || (kind != RowKind::kProverb && kind != RowKind::kArticle)) continue;
    std::string key = kind == RowKind::kProverb ? "p\t" + lower_case(row.cells[kAnswers])
                                                : "a\t" + row.cells[kPattern] + "\t" + row.cells[kAnswers];
    auto [first, inserted] = seen.emplace(key, i);
    if (inserted) continue;
    int cell = kind == RowKind::kProverb ? kAnswers : kPattern;
    problems.push_back({row.line, static_cast<int>(i), cell, cell_name(kind, cell),
                        std::string(kind == RowKind::kProverb ? "the same proverb" : "the same item") +
                            " stands in row " + std::to_string(first->second) + ": replace one of them"});
  }
}

}  // namespace

void check_table(const Table& table, const std::vector<SetEntry>& plan, Problems& problems) {
  if (table.rows.empty()) {
    problems.push_back(
        {1, -1, -1, "", "the file holds no rows: write one row per line, 8 cells separated by TABs"});
    return;
  }
  check_numbers(table, problems);
  check_set_order(table, plan, problems);
  for (size_t i = 0; i < table.rows.size(); ++i) {
    if (table.rows[i].complete) check_row(table.rows[i], static_cast<int>(i), problems);
  }
  check_repeats(table, problems);
  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

}  // namespace lessontable
