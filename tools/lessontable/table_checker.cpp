// Table-wide checks and the order of the report.
#include "lessontable/table_checker.h"

#include <algorithm>
#include <map>

#include "lessontable/code_pages.h"
#include "lessontable/engine_text.h"
#include "lessontable/row_checker.h"
#include "lessontable/set_order.h"

namespace lessontable {
namespace {

// Every cell reads the same on a Western and on a Japanese system.
void check_code_pages(const Table& table, Problems& problems) {
  for (size_t i = 0; i < table.rows.size(); ++i) {
    const TableRow& row = table.rows[i];
    for (int cell = 0; cell < kCellCount; ++cell) {
      std::string problem = code_page_problem(row.cells[cell]);
      if (problem.empty()) continue;
      problems.push_back(
          {row.line, static_cast<int>(i), cell, cell_name(kind_of_set(row.cells[kSet]), cell), problem});
    }
  }
}

// The same proverb twice, or the same article item twice, would come up twice in a lesson; a listening
// test set that asks for one word twice never asks for another.
void check_repeats(const Table& table, Problems& problems) {
  std::map<std::string, size_t> seen;
  for (size_t i = 0; i < table.rows.size(); ++i) {
    const TableRow& row = table.rows[i];
    RowKind kind = kind_of_set(row.cells[kSet]);
    std::string key, message;
    int cell = kAnswers;
    if (kind == RowKind::kProverb) {
      key = "p\t" + lower_case(row.cells[kAnswers]);
      message = "the same proverb stands in row ";
    } else if (kind == RowKind::kArticle) {
      key = "a\t" + row.cells[kPattern] + "\t" + row.cells[kAnswers];
      cell = kPattern;
      message = "the same item stands in row ";
    } else if (kind == RowKind::kListeningTest) {
      key = "L\t" + row.cells[kSet] + "\t" + lower_case(row.cells[kAnswers]);
      message = "the set already asks for '" + row.cells[kAnswers] + "' in row ";
    }
    if (!row.complete || key.empty()) continue;
    auto [first, inserted] = seen.emplace(key, i);
    if (inserted) continue;
    problems.push_back(
        {row.line, static_cast<int>(i), cell, cell_name(kind, cell),
         message + std::to_string(first->second) +
             (kind == RowKind::kListeningTest ? ": ask for another word, as the pair's other one"
                                              : ": replace one of them")});
  }
}

}  // namespace

void check_table(const Table& table, const LessonPlan& plan, Problems& problems) {
  if (table.rows.empty()) {
    problems.push_back(
        {1, -1, -1, "", "the file holds no rows: write one row per line, 8 cells separated by TABs"});
    return;
  }
  const bool partial = is_partial(table, plan);
  check_numbers(table, plan, partial, problems);
  check_set_order(table, plan, partial, problems);
  for (size_t i = 0; i < table.rows.size(); ++i) {
    if (table.rows[i].complete) check_row(table.rows[i], static_cast<int>(i), problems);
  }
  check_code_pages(table, problems);
  check_repeats(table, problems);
  std::stable_sort(problems.begin(), problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  merge_every_row(problems, static_cast<int>(table.rows.size()));
}

}  // namespace lessontable
