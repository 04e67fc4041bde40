// The per-row checks in the order an author would fix them: choices, answers, sentence, gaps, boxes, kind
// rules. The rules that the editor also runs come from app/rules; the rest are lessontable's own.
#include "lessontable/row_checker.h"

#include "lessontable/engine_text.h"
#include "lessontable/kind_rules.h"
#include "lessontable/row_report.h"
#include "lessontable/sentence_checker.h"

namespace lessontable {

void check_row(const TableRow& row, int index, Problems& problems) {
  namespace rules = loquat::rules;
  RowReport report(row, index, problems);
  if (report.kind() == RowKind::kUnknown) return;  // the set order check names the unknown set
  std::vector<std::string> answers = split_fields(row.cells[kAnswers], ",");
  std::vector<std::string> choices = split_fields(row.cells[kChoices], ",");
  bool choices_usable = rules::check_choices(report.cells(), report.shared());
  rules::check_answers(report.cells(), report.shared());
  rules::PatternFacts pattern = rules::check_pattern(report.cells(), report.shared());
  check_sentence_display(pattern, answers, report);
  rules::check_gaps(report.cells(), pattern, report.shared());
  if (choices_usable) rules::check_layout(report.cells(), pattern, report.shared());
  check_kind_rules(answers, choices, pattern, report);
}

}  // namespace lessontable
