// A click is compared with the first expected answer ignoring case, and the captions "start", "examples",
// "next", "end" and "?" are commands before they are answers; these checks keep every answer clickable.
#include "lessontable/cell_checks.h"

#include "lessontable/engine_text.h"
#include "lessontable/text_width.h"

namespace lessontable {
namespace {

bool is_command(const std::string& caption) {
  for (const char* command : {"start", "examples", "next", "end", "?"}) {
    if (equal_ignoring_case(caption, command)) return true;
  }
  return false;
}

bool has_blank_ends(const std::string& text) {
  return !text.empty() && (is_blank(text.front()) || is_blank(text.back()));
}

}  // namespace

bool check_choices(const std::vector<std::string>& choices, RowReport& report) {
  if (choices.empty()) {
    report.error(kChoices, "there are no choices: list the captions of the boxes, separated by ','");
    return false;
  }
  if (choices.size() > kBoxCount) {
    report.error(kChoices, std::to_string(choices.size()) + " choices, but the window has boxes for " +
                               std::to_string(kBoxCount) + ": offer fewer");
    return false;
  }
  if (choices.size() > kMaxChoices) {
    report.error(kChoices,
                 std::to_string(choices.size()) + " choices, but boxes after the " +
                     std::to_string(kMaxChoices) +
                     "th are not cleared when an item is done and would stay on the screen: offer at "
                     "most " +
                     std::to_string(kMaxChoices));
  }
  for (size_t i = 0; i < choices.size(); ++i) {
    const std::string& choice = choices[i];
    std::string which = "choice " + std::to_string(i + 1);
    if (choice.empty()) {
      report.error(kChoices, which + " is empty: remove the extra ','");
      continue;
    }
    if (has_blank_ends(choice)) {
      report.error(kChoices, which + " '" + choice + "' begins or ends with a space: remove it");
    }
    if (report.kind() != RowKind::kCompareBoard && is_command(choice)) {
      report.error(kChoices, which + " '" + choice +
                                 "' is also a command caption, so a click on it runs the command instead of "
                                 "answering: rephrase the item without this word");
    }
    for (size_t j = 0; j < i; ++j) {
      if (equal_ignoring_case(choices[j], choice)) {
        report.error(kChoices, which + " '" + choice + "' repeats choice " + std::to_string(j + 1) +
                                   " (clicks are compared ignoring case): offer each word once");
        break;
      }
    }
  }
  return true;
}

void check_answers(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                   RowReport& report) {
  for (size_t i = 0; i < answers.size(); ++i) {
    const std::string& answer = answers[i];
    std::string which = "answer " + std::to_string(i + 1);
    if (answer.empty()) {
      report.error(kAnswers, which + " is empty: every gap needs the caption of the box that fills it");
      continue;
    }
    bool exact = false;
    const std::string* near = nullptr;
    for (const std::string& choice : choices) {
      if (choice == answer) exact = true;
      if (equal_ignoring_case(choice, answer)) near = &choice;
    }
    if (exact) continue;
    if (near) {
      report.error(kAnswers, which + " '" + answer + "' differs from the choice '" + *near +
                                 "' in case only: write it exactly as the choice");
    } else {
      report.error(kAnswers,
                   which + " '" + answer + "' is not one of the choices '" + report.cell(kChoices) +
                       "', so the item could never be finished: correct the answer or add the choice");
    }
  }
}

int explanation_lines(const std::string& explanation) {
  int lines = 0;
  for (const std::string& paragraph : split_fields(explanation, "/")) {
    std::string line;
    ++lines;
    for (const std::string& word : split_fields(paragraph, " ")) {
      std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && note_width(longer) > kNoteTextWidth) {
        ++lines;
        line = word;
      } else {
        line = longer;
      }
    }
  }
  return lines;
}

void check_explanation_fits(RowReport& report) {
  int lines = explanation_lines(report.cell(kExplanation));
  if (lines > kNoteLines) {
    report.error(kExplanation, "the explanation takes " + std::to_string(lines) + " lines of the " +
                                   std::to_string(kNoteLines) +
                                   " that the note box (422 x 71 px, 18 px text) shows: shorten it");
  }
}

}  // namespace lessontable
