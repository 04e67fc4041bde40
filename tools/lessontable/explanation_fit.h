// Checks of the answers, choices and explanation cells that hold for every kind of row.
#pragma once

#include <string>
#include <vector>

#include "lessontable/row_report.h"

namespace lessontable {

constexpr int kMaxChoices = 15;      // ClearThemAll hides boxes 0-15 only
constexpr int kBoxCount = 30;        // box numbers 1-30 carry choices
constexpr int kNoteTextWidth = 410;  // the explanation field is 422 px wide
constexpr int kNoteLines = 3;        // and 71 px high, 20 px a line

// False when the choices cannot be laid out at all.
bool check_choices(const std::vector<std::string>& choices, RowReport& report);

void check_answers(const std::vector<std::string>& answers, const std::vector<std::string>& choices,
                   RowReport& report);

// The number of lines the explanation takes in the note field, wrapped at its width.
int explanation_lines(const std::string& explanation);

void check_explanation_fits(RowReport& report);

}  // namespace lessontable
