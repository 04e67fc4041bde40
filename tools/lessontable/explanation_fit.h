// Whether an explanation fits the note field the "?" box shows it in.
#pragma once

#include <string>

#include "lessontable/row_report.h"

namespace lessontable {

constexpr int kNoteTextWidth = 410;  // the explanation field is 422 px wide
constexpr int kNoteLines = 3;        // and 71 px high, 20 px a line

// The number of lines the explanation takes in the note field, wrapped at its width.
int explanation_lines(const std::string& explanation);

void check_explanation_fits(RowReport& report);

}  // namespace lessontable
