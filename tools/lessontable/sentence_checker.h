// Checks of the sentence pattern: syntax, line count, line widths with every alternative and the
// answers filled in, and the capital that the engine gives the first word.
#pragma once

#include <string>
#include <vector>

#include "lessontable/row_report.h"

namespace lessontable {

constexpr int kMaxSegments = 39;
constexpr int kMaxCombinations = 10000;
constexpr int kTextDescent = 8;  // pixels below the baseline that 34-pixel text reaches

struct SentenceFacts {
  bool parsed = false;
  int line_count = 0;
  int gaps = 0;
  int last_text_line = 0;  // 1-based; 0 when no line shows text
};

SentenceFacts check_sentence(const std::vector<std::string>& answers, RowReport& report);

}  // namespace lessontable
