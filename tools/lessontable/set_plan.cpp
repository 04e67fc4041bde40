// The shipped set list and the check that a table follows it.
#include "lessontable/set_plan.h"

#include <ctype.h>

#include <map>

namespace lessontable {
namespace {

std::vector<SetEntry> make_shipped_sets() {
  std::vector<SetEntry> sets = {{"a01", 3},  {"a02", 5},  {"a03", 4},  {"a04", 6},  {"a05", 7},  {"a06", 20},
                                {"a07", 20}, {"a08", 20}, {"a09", 20}, {"a10", 8},  {"a11", 3},  {"a12", 2},
                                {"a13", 20}, {"a14", 21}, {"a15", 21}, {"L01", 10}, {"L02", 10}, {"L03", 10},
                                {"LX1", 1},  {"LX2", 1},  {"LX3", 1},  {"p01", 13}, {"p02", 13}, {"p03", 16},
                                {"p04", 17}, {"p05", 17}, {"p06", 16}, {"p07", 16}};
  for (const char* code : {"p08", "p09", "p10", "p11", "p12", "p13"}) sets.push_back({code, 20});
  return sets;
}

std::string describe(const SetEntry& entry, int first_row) {
  return "'" + entry.code + "' has " + std::to_string(entry.rows) + " rows (rows " +
         std::to_string(first_row) + "-" + std::to_string(first_row + entry.rows - 1) + ")";
}

Problem at_row(const Table& table, int row, std::string message) {
  const TableRow& r = table.rows[row];
  return {r.line, row, kSet, cell_name(kind_of_set(r.cells[kSet]), kSet), std::move(message)};
}

}  // namespace

const std::vector<SetEntry>& shipped_sets() {
  static const std::vector<SetEntry> sets = make_shipped_sets();
  return sets;
}

RowKind kind_of_set(std::string_view code) {
  if (code.size() != 3 || !isdigit(static_cast<unsigned char>(code[2]))) return RowKind::kUnknown;
  if (code.substr(0, 2) == "LX") return RowKind::kCompareBoard;
  if (!isdigit(static_cast<unsigned char>(code[1]))) return RowKind::kUnknown;
  switch (code[0]) {
    case 'a':
      return RowKind::kArticle;
    case 'p':
      return RowKind::kProverb;
    case 'L':
      return RowKind::kListeningTest;
    default:
      return RowKind::kUnknown;
  }
}

const char* kind_name(RowKind kind) {
  switch (kind) {
    case RowKind::kArticle:
      return "article";
    case RowKind::kProverb:
      return "proverb";
    case RowKind::kListeningTest:
      return "listening test";
    case RowKind::kCompareBoard:
      return "compare board";
    case RowKind::kUnknown:
      break;
  }
  return "unknown";
}

std::string cell_name(RowKind kind, int cell) {
  static const char* const names[kCellCount] = {"number",  "set",         "pattern", "answers",
                                                "choices", "explanation", "layout",  "extra"};
  if (kind == RowKind::kProverb && cell == kExplanation) return "word count";
  if (kind == RowKind::kProverb && cell == kExtra) return "difficulty";
  return cell >= 0 && cell < kCellCount ? names[cell] : "?";
}

void check_set_order(const Table& table, const std::vector<SetEntry>& plan, Problems& problems) {
  std::map<std::string, size_t> position;
  std::vector<int> first_row(plan.size());
  for (size_t i = 0, row = 0; i < plan.size(); row += plan[i].rows, ++i) {
    position[plan[i].code] = i;
    first_row[i] = static_cast<int>(row);
  }
  const int count = static_cast<int>(table.rows.size());
  size_t next = 0;  // the set expected next
  for (int start = 0; start < count;) {
    const std::string& code = table.rows[start].cells[kSet];
    int end = start;
    while (end < count && table.rows[end].cells[kSet] == code) ++end;
    auto found = position.find(code);
    if (found == position.end()) {
      problems.push_back(at_row(table, start,
                                "unknown set '" + code + "': use one of the sets " + plan.front().code +
                                    " ... " + plan.back().code + " (a01-a15, L01-L03, LX1-LX3, p01-p13)"));
    } else if (found->second < next) {
      problems.push_back(at_row(table, start,
                                "set '" + code + "' appears again here: the rows of a set stand together, " +
                                    "in the order a01-a15, L01-L03, LX1-LX3, p01-p13"));
    } else {
      if (found->second > next) {
        std::string missing = plan[next].code;
        if (found->second > next + 1) missing += " ... " + plan[found->second - 1].code;
        problems.push_back(at_row(table, start,
                                  "set '" + code + "' begins here, but set " + missing +
                                      " should come first: the sets stand in the order a01-a15, L01-L03, "
                                      "LX1-LX3, p01-p13"));
      }
      const SetEntry& entry = plan[found->second];
      int rows = end - start;
      if (rows > entry.rows) {
        problems.push_back(at_row(table, start + entry.rows,
                                  "set " + describe(entry, first_row[found->second]) + "; this is row " +
                                      std::to_string(rows) + " of it: remove " +
                                      std::to_string(rows - entry.rows) + " row(s) of '" + code + "'"));
      } else if (rows < entry.rows) {
        problems.push_back(at_row(table, end - 1,
                                  "set " + describe(entry, first_row[found->second]) + ", but only " +
                                      std::to_string(rows) + " stand here: add " +
                                      std::to_string(entry.rows - rows) + " row(s) of '" + code + "'"));
      }
      next = found->second + 1;
    }
    start = end;
  }
  if (next < plan.size()) {
    int line = table.rows.empty() ? 1 : table.rows.back().line;
    problems.push_back({line, -1, -1, "",
                        "the table ends before set '" + plan[next].code + "' (row " +
                            std::to_string(first_row[next]) + "): the table needs the sets a01-a15, " +
                            "L01-L03, LX1-LX3 and p01-p13"});
  }
}

}  // namespace lessontable
