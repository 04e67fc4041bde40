// Checks of how the sentence shows: line widths with every alternative and the answers filled in, the
// segments the engine keeps, and the capital that the engine gives the first word.
#pragma once

#include <string>
#include <vector>

#include "lessontable/row_report.h"
#include "rules/row_rules.h"

namespace lessontable {

constexpr int kMaxCombinations = 10000;

// Runs on a pattern whose syntax the shared rules found sound.
void check_sentence_display(const loquat::rules::PatternFacts& facts, const std::vector<std::string>& answers,
                            RowReport& report);

}  // namespace lessontable
