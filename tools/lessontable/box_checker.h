// Checks of the layout cell: that it places every choice, and that the boxes fit the canvas, keep clear
// of each other and of the sentence.
#pragma once

#include <string>
#include <vector>

#include "lessontable/row_report.h"
#include "lessontable/sentence_checker.h"

namespace lessontable {

void check_boxes(const std::vector<std::string>& choices, const SentenceFacts& sentence, RowReport& report);

}  // namespace lessontable
