// Explanations wrap at the note field's width in 18-pixel Arial; "/" breaks a line.
#include "lessontable/explanation_fit.h"

#include "lessontable/engine_text.h"
#include "rules/text_widths.h"

namespace lessontable {

int explanation_lines(const std::string& explanation) {
  int lines = 0;
  for (const std::string& paragraph : split_fields(explanation, "/")) {
    std::string line;
    ++lines;
    for (const std::string& word : split_fields(paragraph, " ")) {
      std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && loquat::rules::note_width(span_of(longer)) > kNoteTextWidth) {
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
