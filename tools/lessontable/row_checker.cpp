// The per-row checks in the order an author would fix them: choices, answers, sentence, boxes, kind rules.
#include "lessontable/row_checker.h"

#include "lessontable/box_checker.h"
#include "lessontable/cell_checks.h"
#include "lessontable/engine_text.h"
#include "lessontable/kind_rules.h"
#include "lessontable/sentence_checker.h"

namespace lessontable {

void check_row(const TableRow& row, int index, Problems& problems) {
  RowReport report(row, index, problems);
  if (report.kind() == RowKind::kUnknown) return;  // the set order check names the unknown set
  std::vector<std::string> answers = split_fields(row.cells[kAnswers], ",");
  std::vector<std::string> choices = split_fields(row.cells[kChoices], ",");
  bool choices_usable = check_choices(choices, report);
  check_answers(answers, choices, report);
  SentenceFacts sentence = check_sentence(answers, report);
  if (sentence.parsed && sentence.gaps != static_cast<int>(answers.size())) {
    report.error(kAnswers, std::to_string(answers.size()) + " answer(s) for " + std::to_string(sentence.gaps) +
                               " gap(s): give one answer per '_', in order");
  }
  if (choices_usable) check_boxes(choices, sentence, report);
  check_kind_rules(answers, choices, sentence, report);
}

}  // namespace lessontable
