// Walking the table's runs of rows of one set against the plan.
#include "lessontable/set_order.h"

#include <set>

namespace lessontable {
namespace {

std::string describe(const SetEntry& entry) {
  return "'" + entry.code + "' has " + std::to_string(entry.rows) + " rows (rows " +
         std::to_string(entry.first_row) + "-" + std::to_string(entry.first_row + entry.rows - 1) + ")";
}

Problem at_row(const Table& table, int row, std::string message) {
  const TableRow& r = table.rows[row];
  return {r.line, row, kSet, cell_name(kind_of_set(r.cells[kSet]), kSet), std::move(message)};
}

// The end of the run of rows that share the set code of row `start`.
int run_end(const Table& table, int start) {
  int end = start;
  const std::string& code = table.rows[start].cells[kSet];
  while (end < static_cast<int>(table.rows.size()) && table.rows[end].cells[kSet] == code) ++end;
  return end;
}

}  // namespace

bool is_partial(const Table& table, const LessonPlan& plan) {
  if (table.format != TableFormat::kExchange) return false;
  std::set<std::string> present;
  for (const TableRow& row : table.rows) present.insert(row.cells[kSet]);
  for (const SetEntry& set : plan.sets) {
    if (!present.count(set.code)) return true;
  }
  return false;
}

void check_set_order(const Table& table, const LessonPlan& plan, bool partial, Problems& problems) {
  const std::string order = plan.set_list();
  const int count = static_cast<int>(table.rows.size());
  size_t next = 0;  // the set expected next
  for (int start = 0, end; start < count; start = end) {
    end = run_end(table, start);
    const std::string& code = table.rows[start].cells[kSet];
    const SetEntry* entry = plan.find_set(code);
    if (!entry) {
      problems.push_back(at_row(table, start, "unknown set '" + code + "': use one of the sets " + order));
      continue;
    }
    size_t position = static_cast<size_t>(entry - plan.sets.data());
    if (position < next) {
      problems.push_back(at_row(table, start,
                                "set '" + code +
                                    "' appears again here: the rows of a set stand together, in " +
                                    "the order " + order));
      continue;
    }
    if (position > next && !partial) {
      std::string missing = plan.sets[next].code;
      if (position > next + 1) missing += " ... " + plan.sets[position - 1].code;
      problems.push_back(at_row(table, start,
                                "set '" + code + "' begins here, but set " + missing +
                                    " should come first: the sets stand in the order " + order));
    }
    int rows = end - start;
    if (rows > entry->rows) {
      problems.push_back(at_row(table, start + entry->rows,
                                "set " + describe(*entry) + "; this is row " + std::to_string(rows) +
                                    " of it: remove " + std::to_string(rows - entry->rows) + " row(s) of '" +
                                    code + "'"));
    } else if (rows < entry->rows) {
      problems.push_back(at_row(table, end - 1,
                                "set " + describe(*entry) + ", but only " + std::to_string(rows) +
                                    " stand here: add " + std::to_string(entry->rows - rows) +
                                    " row(s) of '" + code + "'"));
    }
    next = position + 1;
  }
  if (next < plan.sets.size() && !partial) {
    int line = table.rows.empty() ? 1 : table.rows.back().line;
    problems.push_back({line, -1, -1, "",
                        "the table ends before set '" + plan.sets[next].code + "' (row " +
                            std::to_string(plan.sets[next].first_row) + "): the table needs the sets " +
                            order});
  }
}

void check_numbers(const Table& table, const LessonPlan& plan, bool partial, Problems& problems) {
  const int count = static_cast<int>(table.rows.size());
  for (int start = 0, end; start < count; start = end) {
    end = run_end(table, start);
    const SetEntry* entry = plan.find_set(table.rows[start].cells[kSet]);
    if (partial && !entry) continue;
    for (int i = start; i < end; ++i) {
      const TableRow& row = table.rows[i];
      int expected = partial ? entry->first_row + (i - start) : i;
      if (row.cells[kNumber] == std::to_string(expected)) continue;
      std::string where = partial
                              ? " of the whole table (a file of some sets keeps the numbers its rows have "
                                "in the whole table; later rows are not reported)"
                              : " (rows are numbered from 0 in file order; later rows are not reported)";
      problems.push_back({row.line, i, kNumber, cell_name(kind_of_set(row.cells[kSet]), kNumber),
                          "the row is numbered '" + row.cells[kNumber] + "' but is row " +
                              std::to_string(expected) + where + ": renumber the rows from here"});
      return;
    }
  }
}

}  // namespace lessontable
